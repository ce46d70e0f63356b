#include "frame/widgets.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPalette>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>

#include <optional>

namespace gravelock {

void placeTwips(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

void setClientSizeTwips(QWidget* window, int width, int height) {
    window->setFixedSize(twips(width), twips(height));
}

void makeFixedMenuWindow(QMainWindow* window) {
    window->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint);
}

QWidget* addClientArea(QMainWindow* window, int width, int height) {
    auto* client = new QWidget(window);
    if (width > 0 && height > 0)
        setClientSizeTwips(client, width, height);
    window->setCentralWidget(client);
    return client;
}

QMenu* addMenu(QMainWindow* window, const char* name, const QString& caption) {
    QMenu* menu = window->menuBar()->addMenu(caption);
    menu->setObjectName(QString::fromUtf8(name));
    return menu;
}

QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromUtf8(name));
    action->setShortcut(shortcut);
    return action;
}

void fixSizeToClientAndMenu(QMainWindow* window) {
    const QWidget* client = window->centralWidget();
    window->setFixedSize(client->width(),
                         client->height() + window->menuBar()->sizeHint().height());
}

void centreOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

void setTextBoxEnabled(QLineEdit* box, bool enabled) {
    box->setEnabled(enabled);
    QPalette palette = box->palette();
    const QColor colour =
        box->style()->standardPalette().color(enabled ? QPalette::Base : QPalette::Button);
    palette.setColor(QPalette::Active, QPalette::Base, colour);
    palette.setColor(QPalette::Inactive, QPalette::Base, colour);
    palette.setColor(QPalette::Disabled, QPalette::Base, colour);
    box->setPalette(palette);
}

namespace {

QString visibleText(QString text) {
    // "&&" shows one ampersand; a single "&" marks the shortcut and is not drawn.
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

// The width a control needs to show its caption on one line, and the width it has.
struct Fit {
    int needed = 0;
    int available = 0;
};

std::optional<Fit> captionFit(QWidget* control) {
    const QFontMetrics metrics(control->font());
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        if (button->text().isEmpty())
            return std::nullopt;
        const int text = metrics.horizontalAdvance(visibleText(button->text()));
        int extra = 0;
        if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button)) {
            extra = button->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                    button->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 2;
        } else {
            extra = 8; // the frame of a push button
        }
        return Fit{text + extra, button->width()};
    }
    if (auto* group = qobject_cast<QGroupBox*>(control)) {
        if (group->title().isEmpty())
            return std::nullopt;
        return Fit{metrics.horizontalAdvance(visibleText(group->title())) + 12, group->width()};
    }
    if (auto* label = qobject_cast<QLabel*>(control)) {
        if (label->text().isEmpty() || label->wordWrap() || !label->pixmap().isNull())
            return std::nullopt;
        return Fit{metrics.horizontalAdvance(visibleText(label->text())), label->width()};
    }
    return std::nullopt;
}

bool wrappedLabelFits(QLabel* label) {
    return label->heightForWidth(label->width()) <= label->height();
}

} // namespace

void fitCaptions(QWidget* window) {
    const auto controls = window->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        auto fit = captionFit(control);
        if (!fit || fit->needed <= fit->available)
            continue;
        QFont font = control->font();
        // Down to the design's 8 points first, then a little below it.
        while (fit && fit->needed > fit->available && font.pointSizeF() > 6.5) {
            font.setPointSizeF(font.pointSizeF() - 0.5);
            control->setFont(font);
            fit = captionFit(control);
        }
        if (fit && fit->needed > fit->available) {
            if (auto* label = qobject_cast<QLabel*>(control))
                label->setWordWrap(true);
        }
    }
}

QStringList clippedCaptions(QWidget* window) {
    QStringList clipped;
    const auto controls = window->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        if (auto* label = qobject_cast<QLabel*>(control); label && label->wordWrap()) {
            if (!label->text().isEmpty() && !wrappedLabelFits(label))
                clipped << label->objectName();
            continue;
        }
        const auto fit = captionFit(control);
        if (fit && fit->needed > fit->available)
            clipped << control->objectName();
    }
    return clipped;
}

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void FileListBox::setPattern(const QString& pattern) {
    pattern_ = pattern;
    refresh();
}

void FileListBox::setFolder(const QString& folder) {
    folder_ = folder;
    refresh();
}

QString FileListBox::selectedFileName() const {
    const auto items = selectedItems();
    return items.isEmpty() ? QString() : items.constFirst()->text();
}

void FileListBox::refresh() {
    clear();
    if (folder_.isEmpty())
        return;
    const QDir dir(folder_);
    if (!dir.exists())
        return;
    QStringList files = dir.entryList({pattern_}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    addItems(files);
}

} // namespace gravelock

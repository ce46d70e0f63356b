#include "frame/window_registry.h"

#include "frame/screen_fit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <utility>

namespace gravelock {

namespace {

// Centres a window about to be shown for the first time on its opener, or on
// the screen when nothing opened it, and keeps it on that screen: the window
// manager would otherwise leave it at the top-left corner.
void placeWindow(QWidget* window, const QWidget* opener) {
    // A window without a set size gets its size when shown; it is needed now.
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize();
    const QScreen* screen = opener ? opener->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // The frame counts: it is part of what the player sees centred.
    QRect placed(QPoint(), window->frameGeometry().size());
    placed.moveCenter(opener ? opener->frameGeometry().center() : area.center());
    placed.moveLeft(
        std::max(area.left(), std::min(placed.left(), area.right() + 1 - placed.width())));
    placed.moveTop(
        std::max(area.top(), std::min(placed.top(), area.bottom() + 1 - placed.height())));
    window->move(placed.topLeft());
}

} // namespace

WindowRegistry::WindowRegistry(AppContext& context) : context_(context) {
    // Checked once the current handler is done: a window commonly unloads itself
    // and then shows the next one.
    endCheck_.setSingleShot(true);
    endCheck_.setInterval(0);
    connect(&endCheck_, &QTimer::timeout, this, &WindowRegistry::checkSomethingVisible);
}

WindowRegistry::~WindowRegistry() {
    destroyAll();
}

bool WindowRegistry::add(WindowId id, const QString& designName, const Factory& factory) {
    if (knows(id)) {
        qWarning("Window \"%s\" is registered twice; the second one is refused.",
                 qUtf8Printable(designName));
        return false;
    }
    entries_.insert(key(id), Entry{designName, factory});
    order_.append(id);
    return true;
}

QWidget* WindowRegistry::find(WindowId id) const {
    const auto it = loaded_.constFind(key(id));
    return it == loaded_.constEnd() ? nullptr : it->data();
}

QWidget* WindowRegistry::load(WindowId id) {
    if (QWidget* window = find(id))
        return window;
    const auto entry = entries_.constFind(key(id));
    if (entry == entries_.constEnd())
        return nullptr;
    // The factory runs the load steps, which may show a message box whose event
    // loop runs the posted check while the new window is not yet shown: the end
    // of the program is decided only after the outermost load.
    ++loading_;
    QWidget* window = entry->factory(context_);
    if (--loading_ == 0 && std::exchange(checkAfterLoad_, false))
        endCheck_.start();
    window->setObjectName(entry->designName);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->installEventFilter(this);
    if (!loaded_.value(key(id)))
        loaded_.insert(key(id), window);
    return window;
}

QWidget* WindowRegistry::show(WindowId id) {
    const bool wasLoaded = isLoaded(id);
    // Taken before the load, whose steps may show other windows.
    const QPointer<QWidget> opener = wasLoaded ? nullptr : topVisibleWindow();
    QWidget* window = load(id);
    if (!window)
        return nullptr;
    shown_.removeAll(window);
    shown_.append(window);
    QWidget* placedOn = opener && opener != window ? opener.data() : nullptr;
    if (!wasLoaded) {
        fitToScreen(window, placedOn ? placedOn->screen() : QGuiApplication::primaryScreen());
        placeWindow(window, placedOn);
    }
    if (!wasLoaded && keepHidden_ == window) {
        keepHidden_.clear();
        return window;
    }
    window->show();
    // The frame's size is known once shown; place again to take it into account.
    if (!wasLoaded)
        placeWindow(window, placedOn);
    window->raise();
    window->activateWindow();
    return window;
}

QWidget* WindowRegistry::topVisibleWindow() const {
    for (auto it = shown_.crbegin(); it != shown_.crend(); ++it)
        if (*it && (*it)->isVisible())
            return it->data();
    return nullptr;
}

void WindowRegistry::unload(WindowId id) {
    unload(find(id));
}

void WindowRegistry::unload(QWidget* window) {
    // A window made outside the registry is not the registry's to close.
    if (!window || !loaded_.values().contains(window))
        return;
    forget(window);
    window->close();
}

void WindowRegistry::setEnabled(WindowId id, bool enabled) {
    if (QWidget* window = find(id))
        window->setEnabled(enabled);
}

void WindowRegistry::keepHiddenAfterLoad(QWidget* window) {
    keepHidden_ = window;
    window->hide();
}

void WindowRegistry::destroyAll() {
    const auto windows = loaded_.values();
    loaded_.clear();
    for (const auto& window : windows) {
        if (window) {
            window->removeEventFilter(this);
            delete window.data();
        }
    }
}

bool WindowRegistry::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close) {
        // The close box unloads the window; WA_DeleteOnClose destroys it.
        if (auto* window = qobject_cast<QWidget*>(watched))
            forget(window);
    }
    return QObject::eventFilter(watched, event);
}

void WindowRegistry::forget(QWidget* window) {
    shown_.removeAll(window);
    for (auto it = loaded_.begin(); it != loaded_.end();) {
        if (it.value() == window || it.value().isNull())
            it = loaded_.erase(it);
        else
            ++it;
    }
    endCheck_.start();
}

void WindowRegistry::checkSomethingVisible() {
    if (loading_ > 0) {
        checkAfterLoad_ = true;
        return;
    }
    for (const auto& window : std::as_const(loaded_))
        if (window && window->isVisible())
            return;
    emit nothingVisible();
}

} // namespace gravelock

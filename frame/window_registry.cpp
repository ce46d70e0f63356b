#include "frame/window_registry.h"

#include <QEvent>

#include <utility>

namespace gravelock {

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

bool WindowRegistry::add(const QString& name, const Factory& factory) {
    if (factories_.contains(name)) {
        qWarning("Window \"%s\" is registered twice; the second one is refused.",
                 qUtf8Printable(name));
        return false;
    }
    factories_.insert(name, factory);
    return true;
}

QStringList WindowRegistry::names() const {
    QStringList list = factories_.keys();
    list.sort();
    return list;
}

QWidget* WindowRegistry::find(const QString& name) const {
    const auto it = loaded_.constFind(name);
    return it == loaded_.constEnd() ? nullptr : it->data();
}

QWidget* WindowRegistry::load(const QString& name) {
    if (QWidget* window = find(name))
        return window;
    const auto factory = factories_.constFind(name);
    if (factory == factories_.constEnd())
        return nullptr;
    // The factory runs the load steps, which may show a message box whose event
    // loop runs the posted check while the new window is not yet shown: the end
    // of the program is decided only after the outermost load.
    ++loading_;
    QWidget* window = (*factory)(context_);
    if (--loading_ == 0 && std::exchange(checkAfterLoad_, false))
        endCheck_.start();
    Q_ASSERT(window->objectName() == name);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->installEventFilter(this);
    if (!loaded_.value(name))
        loaded_.insert(name, window);
    return window;
}

QWidget* WindowRegistry::show(const QString& name) {
    const bool wasLoaded = isLoaded(name);
    QWidget* window = load(name);
    if (!window)
        return nullptr;
    if (!wasLoaded && keepHidden_ == window) {
        keepHidden_.clear();
        return window;
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void WindowRegistry::unload(const QString& name) {
    QWidget* window = find(name);
    if (!window)
        return;
    forget(window);
    window->close();
}

void WindowRegistry::setEnabled(const QString& name, bool enabled) {
    if (QWidget* window = find(name))
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

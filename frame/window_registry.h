// Every window of the program by its typed id: one instance each, loaded on
// first show, unloaded (destroyed) on request or by its close box, and the end
// of the program once no window is visible any more.
#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace gravelock {

class AppContext;

// A window of the program. Which windows there are is the program's list
// (app/window_id.h): the frame only keeps them apart, and a misspelt window is
// a build error.
enum class WindowId : int;

class WindowRegistry : public QObject {
    Q_OBJECT
public:
    // Builds the window and runs its load steps.
    using Factory = std::function<QWidget*(AppContext&)>;

    explicit WindowRegistry(AppContext& context);
    ~WindowRegistry() override;

    // A window is registered once: a second factory for it is refused (and
    // logged), so no window silently replaces another. Each window loaded gets
    // `designName` as its objectName.
    bool add(WindowId id, const QString& designName, const Factory& factory);
    bool knows(WindowId id) const { return entries_.contains(key(id)); }
    // Every registered window, in the order registered.
    QList<WindowId> ids() const { return order_; }

    // Loads the window when it is not loaded, then shows it (non-modal) and
    // brings it to the front. A window just loaded is centred on the window
    // shown last that is still visible (its opener), else on the screen.
    // Returns nullptr for a window not registered.
    QWidget* show(WindowId id);
    // Loads the window without showing it.
    QWidget* load(WindowId id);
    // The loaded window, or nullptr.
    QWidget* find(WindowId id) const;
    template <class W> W* find(WindowId id) const { return qobject_cast<W*>(find(id)); }
    bool isLoaded(WindowId id) const { return find(id) != nullptr; }

    // Closes the window (its close handling runs) and destroys it; a later show
    // loads it afresh. A window unloads itself by its pointer.
    void unload(WindowId id);
    void unload(QWidget* window);
    void setEnabled(WindowId id, bool enabled);

    // For a load step that hides its own window: the show that loaded it leaves
    // it hidden.
    void keepHiddenAfterLoad(QWidget* window);

    // Destroys every window at once, without their close handling.
    void destroyAll();

signals:
    // No window of the program is visible any more.
    void nothingVisible();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static int key(WindowId id) { return static_cast<int>(id); }
    void forget(QWidget* window);
    void checkSomethingVisible();
    QWidget* topVisibleWindow() const;

    AppContext& context_;
    struct Entry {
        QString designName;
        Factory factory;
    };
    QHash<int, Entry> entries_;
    QList<WindowId> order_;
    QHash<int, QPointer<QWidget>> loaded_;
    QPointer<QWidget> keepHidden_;
    // Shown windows, the one shown last at the end.
    QList<QPointer<QWidget>> shown_;
    // Posted by every unload; several unloads in one handler give one check.
    QTimer endCheck_;
    // How deep load steps are nested; a check that falls inside one waits for
    // the outermost load to finish.
    int loading_ = 0;
    bool checkAfterLoad_ = false;
};

} // namespace gravelock

// Every window of the program by its design name: one instance each, loaded on
// first show, unloaded (destroyed) on request or by its close box, and the end
// of the program once no window is visible any more.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace gravelock {

class AppContext;

class WindowRegistry : public QObject {
    Q_OBJECT
public:
    // Builds the window and runs its load steps; the window's objectName must be
    // its design name.
    using Factory = std::function<QWidget*(AppContext&)>;

    explicit WindowRegistry(AppContext& context);
    ~WindowRegistry() override;

    // A name is registered once: a second factory for it is refused (and
    // logged), so no window silently replaces another.
    bool add(const QString& name, const Factory& factory);
    bool knows(const QString& name) const { return factories_.contains(name); }
    QStringList names() const;

    // Loads the window when it is not loaded, then shows it (non-modal) and
    // brings it to the front. Returns nullptr for an unknown name.
    QWidget* show(const QString& name);
    // Loads the window without showing it.
    QWidget* load(const QString& name);
    // The loaded window, or nullptr.
    QWidget* find(const QString& name) const;
    template <class W> W* find(const QString& name) const { return qobject_cast<W*>(find(name)); }
    bool isLoaded(const QString& name) const { return find(name) != nullptr; }

    // Closes the window (its close handling runs) and destroys it; a later show
    // loads it afresh.
    void unload(const QString& name);
    void setEnabled(const QString& name, bool enabled);

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
    void forget(QWidget* window);
    void checkSomethingVisible();

    AppContext& context_;
    QHash<QString, Factory> factories_;
    QHash<QString, QPointer<QWidget>> loaded_;
    QPointer<QWidget> keepHidden_;
    // Posted by every unload; several unloads in one handler give one check.
    QTimer endCheck_;
    // How deep load steps are nested; a check that falls inside one waits for
    // the outermost load to finish.
    int loading_ = 0;
    bool checkAfterLoad_ = false;
};

} // namespace gravelock

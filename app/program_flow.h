// Which window follows which: the splash's time up opens the first-use wizard
// or the main window, and the wizard's end and every tool's way back show the
// main window. The one place that decides the program's next window.
#pragma once

#include "frame/app_context.h"

#include <QObject>

namespace gravelock {

class ProgramFlow final : public QObject, public WindowFlow {
    Q_OBJECT
public:
    // Takes over the context's way back to the main window.
    explicit ProgramFlow(AppContext& context);
    ~ProgramFlow() override;
    ProgramFlow(const ProgramFlow&) = delete;
    ProgramFlow& operator=(const ProgramFlow&) = delete;

    // Shows the splash.
    void start();

    // Unloads `from` first, then shows the main window (loaded afresh when it
    // was unloaded): a main window that finds the configuration incomplete then
    // opens a fresh configuration dialog instead of re-showing the one closing.
    void backToMainWindow(QWidget* from) override;

private:
    void splashTimeUp();

    AppContext& context_;
};

} // namespace gravelock

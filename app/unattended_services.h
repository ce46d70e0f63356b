// Services for a program that runs its windows without a player, as the
// screenshot command and the benchmarks do: no file is chosen and no game starts.
#pragma once

#include "frame/services.h"

namespace gravelock {

class NoFiles final : public FileDialogs {
public:
    std::optional<QString> openFile(QWidget*, const QString&, const QString&,
                                    const QString&) override {
        return std::nullopt;
    }
};

// Every start "succeeds" without starting anything.
class NoStart final : public GameStarter {
public:
    StartResult start(const StartRequest&, GameFailedEarly) override { return {true, {}, {}}; }
};

} // namespace gravelock

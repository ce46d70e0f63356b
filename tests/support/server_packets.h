// Answers as game servers and masters send them, built from plain values: the
// fake servers send these, and the parser tests read them.
#pragma once

#include "servers/protocol.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gravelock::test {

std::string challengeAnswer(std::uint32_t challenge);
// The current info answer `I` and the older `m`.
std::string infoAnswer(const servers::ServerInfo& info);
std::string oldInfoAnswer(const servers::ServerInfo& info, bool withMod = false);
std::string playersAnswer(const std::vector<servers::PlayerInfo>& players);
std::string rulesAnswer(const std::vector<std::pair<std::string, std::string>>& rules);
// `answer` cut into `count` split packets of answer id `id`, in order.
std::vector<std::string> splitAnswer(const std::string& answer, std::uint32_t id, unsigned count);
// One master page: header, entries, and the end marker when `last`.
std::string masterPage(const std::vector<servers::Endpoint>& servers, bool last);

} // namespace gravelock::test

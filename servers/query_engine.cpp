#include "servers/query_engine.h"

namespace gravelock::servers {

struct QueryEngine::Impl {};

QueryEngine::QueryEngine(QObject* parent) : QObject(parent), impl_(std::make_unique<Impl>()) {}
QueryEngine::~QueryEngine() = default;

void QueryEngine::setKeyFolder(const std::string&) {}
void QueryEngine::queryInfo(const std::vector<std::string>&) {
    emit finished();
}
void QueryEngine::queryDetails(const std::string&, bool, bool) {
    emit finished();
}
void QueryEngine::listInternet(const std::string&) {
    emit finished();
}
void QueryEngine::scanLan() {
    emit finished();
}
void QueryEngine::cancel() {}

} // namespace gravelock::servers

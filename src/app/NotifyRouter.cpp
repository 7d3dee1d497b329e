#include "app/NotifyRouter.h"

#include <utility>

#include "app/IndexedName.h"

namespace morvek::app {

void CNotifyRouter::AddName(const QString& type, const QString& name, const QString& handlerName, Handler handler) {
    routes_[type].push_back({false, name, handlerName, std::move(handler)});
}

void CNotifyRouter::AddPrefix(const QString& type, const QString& prefix, const QString& handlerName,
                              Handler handler) {
    routes_[type].push_back({true, prefix, handlerName, std::move(handler)});
}

void CNotifyRouter::AddNames(const QString& type, std::initializer_list<const char*> names, const QString& handlerName,
                             const Handler& handler) {
    for (const char* name : names) AddName(type, name, handlerName, handler);
}

const CNotifyRouter::Route* CNotifyRouter::FindRoute(const QString& type, const QString& name, int& index) const {
    const auto list = routes_.find(type);
    if (list == routes_.end()) return nullptr;
    const std::optional<IndexedName> indexed = SplitIndexedName(name);
    for (const Route& route : list->second) {
        if (!route.byPrefix && route.match == name) {
            index = -1;
            return &route;
        }
        if (route.byPrefix && indexed && indexed->prefix == route.match) {
            index = indexed->index;
            return &route;
        }
    }
    return nullptr;
}

std::optional<RouteTaken> CNotifyRouter::Find(const QString& type, const QString& name) const {
    int index = -1;
    const Route* route = FindRoute(type, name, index);
    if (route == nullptr) return std::nullopt;
    return RouteTaken{route->handlerName, index};
}

std::optional<RouteTaken> CNotifyRouter::Dispatch(const TNotifyUI& msg) const {
    int index = -1;
    const Route* route = FindRoute(msg.sType, msg.sName, index);
    if (route == nullptr) return std::nullopt;
    if (route->handler) route->handler(msg, index);
    return RouteTaken{route->handlerName, index};
}

}  // namespace morvek::app

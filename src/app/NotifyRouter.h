#pragma once
// CNotifyRouter: the window's routing tables. For each notification type a list of routes,
// tested in the order they were added: a route by exact control name, or by the prefix of an
// indexed name (SplitIndexedName) with the index handed to the handler. The first route that
// fits runs; Dispatch says which one it was, so the tables can be checked route by route.

#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "app/NotifyPump.h"

namespace morvek::app {

// What a dispatch did: the route's handler name and, for a prefix route, the index.
struct RouteTaken {
    QString handler;
    int index = -1;

    bool operator==(const RouteTaken&) const = default;
};

class CNotifyRouter {
public:
    // index: the name's index for a prefix route, -1 for a name route.
    using Handler = std::function<void(const TNotifyUI& msg, int index)>;

    // A route whose handler is empty is taken (reported) but does nothing.
    void AddName(const QString& type, const QString& name, const QString& handlerName, Handler handler = {});
    void AddPrefix(const QString& type, const QString& prefix, const QString& handlerName, Handler handler = {});
    // Several names to one handler.
    void AddNames(const QString& type, std::initializer_list<const char*> names, const QString& handlerName,
                  const Handler& handler = {});

    // Runs the first route of msg's type that fits its sender name; empty when none fits.
    std::optional<RouteTaken> Dispatch(const TNotifyUI& msg) const;
    // The route that would be taken, without running it.
    std::optional<RouteTaken> Find(const QString& type, const QString& name) const;

private:
    struct Route {
        bool byPrefix = false;
        QString match;
        QString handlerName;
        Handler handler;
    };

    const Route* FindRoute(const QString& type, const QString& name, int& index) const;

    std::map<QString, std::vector<Route>> routes_;
};

}  // namespace morvek::app

#pragma once
// PanelRoutes: how a panel class adds the routes of its control names to the window's router.
// Each route runs a member of the panel of that class on the current device's page (none: the
// notification is taken and does nothing), so the window needs no handler per control.
//
//   void CLightControlUI::AddRoutes(PanelRoutes& routes) {
//       routes.Name("itemselect", "light_combo_modeSelect", "light_mode", &CLightControlUI::OnModeChosen);
//   }
//
// Panels of several classes may own the same control name when the pages that hold them
// differ (the keyboard's system panel and the mouse's DPI panel both have the polling rate
// options): the route runs the member of whichever of them the current page holds.

#include <QString>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "app/NotifyRouter.h"

namespace morvek::app {

class PanelRoutes {
public:
    // currentPage: the page of the current device, or nullptr.
    PanelRoutes(CNotifyRouter& router, std::function<QWidget*()> currentPage)
        : router_(router), currentPage_(std::move(currentPage)) {}

    template <class Panel>
    using Member = void (Panel::*)(const TNotifyUI& msg, int index);

    template <class Panel>
    void Name(const QString& type, const QString& name, const QString& handlerName, Member<Panel> member) {
        Add(type, name, false, handlerName, Forward(member));
    }
    template <class Panel>
    void Names(const QString& type, std::initializer_list<const char*> names, const QString& handlerName,
               Member<Panel> member) {
        for (const char* name : names) Add(type, name, false, handlerName, Forward(member));
    }
    template <class Panel>
    void Prefix(const QString& type, const QString& prefix, const QString& handlerName, Member<Panel> member) {
        Add(type, prefix, true, handlerName, Forward(member));
    }

    // The panel of that class on the current device's page, or nullptr. A route runs only for a
    // panel that is bound to its model.
    template <class Panel>
    Panel* Current() const {
        QWidget* page = currentPage_ ? currentPage_() : nullptr;
        return page ? page->findChild<Panel*>() : nullptr;
    }

private:
    // Runs the member on the current page's panel; false when the page has no bound panel of
    // that class.
    using PanelHandler = std::function<bool(const TNotifyUI& msg, int index)>;

    template <class Panel>
    PanelHandler Forward(Member<Panel> member) {
        return [this, member](const TNotifyUI& msg, int index) {
            Panel* panel = Current<Panel>();
            if (panel == nullptr || panel->Model() == nullptr) return false;
            (panel->*member)(msg, index);
            return true;
        };
    }

    // The first panel class to add a (type, match) adds the route; later ones join it.
    void Add(const QString& type, const QString& match, bool byPrefix, const QString& handlerName,
             PanelHandler handler) {
        std::shared_ptr<std::vector<PanelHandler>>& handlers = shared_[{type, match, byPrefix}];
        if (handlers) {
            handlers->push_back(std::move(handler));
            return;
        }
        handlers = std::make_shared<std::vector<PanelHandler>>(1, std::move(handler));
        CNotifyRouter::Handler route = [handlers](const TNotifyUI& msg, int index) {
            for (const PanelHandler& panel : *handlers) {
                if (panel(msg, index)) return;
            }
        };
        if (byPrefix)
            router_.AddPrefix(type, match, handlerName, std::move(route));
        else
            router_.AddName(type, match, handlerName, std::move(route));
    }

    CNotifyRouter& router_;
    std::function<QWidget*()> currentPage_;
    std::map<std::tuple<QString, QString, bool>, std::shared_ptr<std::vector<PanelHandler>>> shared_;
};

}  // namespace morvek::app

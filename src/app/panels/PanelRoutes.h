#pragma once
// PanelRoutes: how a panel class adds the routes of its control names to the window's router.
// Each route runs a member of the panel of that class on the current device's page (none: the
// notification is taken and does nothing), so the window needs no handler per control.
//
//   void CLightControlUI::AddRoutes(PanelRoutes& routes) {
//       routes.Name("itemselect", "light_combo_modeSelect", "light_mode", &CLightControlUI::OnModeChosen);
//   }

#include <QString>
#include <QWidget>

#include <functional>
#include <initializer_list>

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
        router_.AddName(type, name, handlerName, Forward(member));
    }
    template <class Panel>
    void Names(const QString& type, std::initializer_list<const char*> names, const QString& handlerName,
               Member<Panel> member) {
        router_.AddNames(type, names, handlerName, Forward(member));
    }
    template <class Panel>
    void Prefix(const QString& type, const QString& prefix, const QString& handlerName, Member<Panel> member) {
        router_.AddPrefix(type, prefix, handlerName, Forward(member));
    }

    // The panel of that class on the current device's page, or nullptr. A route runs only for a
    // panel that is bound to its model.
    template <class Panel>
    Panel* Current() const {
        QWidget* page = currentPage_ ? currentPage_() : nullptr;
        return page ? page->findChild<Panel*>() : nullptr;
    }

private:
    template <class Panel>
    CNotifyRouter::Handler Forward(Member<Panel> member) {
        return [this, member](const TNotifyUI& msg, int index) {
            Panel* panel = Current<Panel>();
            if (panel != nullptr && panel->Model() != nullptr) (panel->*member)(msg, index);
        };
    }

    CNotifyRouter& router_;
    std::function<QWidget*()> currentPage_;
};

}  // namespace morvek::app

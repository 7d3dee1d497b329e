#include "app/ControlFactory.h"

#include <utility>

namespace morvek::app {

CControlFactory& CControlFactory::GetInstance() {
    static CControlFactory factory;
    return factory;
}

void CControlFactory::RegistControl(const QString& className, Creator creator) {
    if (!creators_.contains(className)) order_.push_back(className);
    creators_[className] = std::move(creator);
}

QWidget* CControlFactory::CreateControl(const QString& className, QWidget* parent) const {
    const auto found = creators_.find(className);
    if (found == creators_.end() || !found->second) return nullptr;
    return found->second(parent);
}

bool CControlFactory::IsRegistered(const QString& className) const { return creators_.contains(className); }

QStringList CControlFactory::RegisteredNames() const { return order_; }

}  // namespace morvek::app

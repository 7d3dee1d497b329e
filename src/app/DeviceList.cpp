#include "app/DeviceList.h"

#include <QLayout>

#include "app/DeviceOptionUI.h"
#include "devicelink/TalvorenUSBDevice.h"

namespace morvek::app {

CDeviceList::CDeviceList(QWidget* selectLayout, QStackedWidget* deviceSwitch, QStackedWidget* powerSwitch,
                         QWidget* noDeviceLink, QObject* parent)
    : QObject(parent),
      selectLayout_(selectLayout),
      deviceSwitch_(deviceSwitch),
      powerSwitch_(powerSwitch),
      noDeviceLink_(noDeviceLink) {
    group_.setExclusive(true);
}

int CDeviceList::Add(CDeviceOptionUI* entry, QWidget* page, QWidget* powerIndicator) {
    const int index = Count();
    const int pageIndex = deviceSwitch_ ? deviceSwitch_->addWidget(page) : -1;
    const int powerIndex = (powerSwitch_ && powerIndicator) ? powerSwitch_->addWidget(powerIndicator) : -1;
    entry->Link(entry->Model(), pageIndex, powerIndex);
    if (selectLayout_ && selectLayout_->layout()) selectLayout_->layout()->addWidget(entry);
    entry->hide();
    entries_.push_back(entry);
    if (QAbstractButton* button = entry->SelectButton()) {
        button->setCheckable(true);
        group_.addButton(button, index);
    }
    return index;
}

CDeviceOptionUI* CDeviceList::Entry(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return entries_[static_cast<size_t>(index)];
}

int CDeviceList::IndexOfButton(const QObject* button) const {
    for (int i = 0; i < Count(); ++i) {
        if (entries_[static_cast<size_t>(i)]->SelectButton() == button) return i;
    }
    return -1;
}

int CDeviceList::IndexOf(const CTalvorenUSBDevice* model) const {
    for (int i = 0; i < Count(); ++i) {
        if (entries_[static_cast<size_t>(i)]->Model() == model) return i;
    }
    return -1;
}

bool CDeviceList::IsEntryVisible(int index) const {
    const CDeviceOptionUI* entry = Entry(index);
    return entry != nullptr && !entry->isHidden();
}

int CDeviceList::VisibleCount() const {
    int visible = 0;
    for (int i = 0; i < Count(); ++i) visible += IsEntryVisible(i) ? 1 : 0;
    return visible;
}

int CDeviceList::SelectedIndex() const {
    for (int i = 0; i < Count(); ++i) {
        if (IsEntryVisible(i) && entries_[static_cast<size_t>(i)]->IsOptionSelected()) return i;
    }
    return -1;
}

CTalvorenUSBDevice* CDeviceList::CurrentDevice() const {
    const int selected = SelectedIndex();
    return selected < 0 ? nullptr : entries_[static_cast<size_t>(selected)]->Model();
}

void CDeviceList::UpdateNoDeviceLink() {
    if (noDeviceLink_) noDeviceLink_->setVisible(VisibleCount() == 0);
}

void CDeviceList::ShowDeviceEntry(int index, bool visible, bool select) {
    CDeviceOptionUI* entry = Entry(index);
    if (entry == nullptr) return;
    entry->setVisible(visible);
    if (select) {
        if (deviceSwitch_ && entry->PageIndex() >= 0) deviceSwitch_->setCurrentIndex(entry->PageIndex());
        if (powerSwitch_) {
            powerSwitch_->setVisible(entry->PowerIndex() >= 0);
            if (entry->PowerIndex() >= 0) powerSwitch_->setCurrentIndex(entry->PowerIndex());
        }
        entry->SelectOption();
    }
    int visibleCount = 0;
    int synchronised = 0;
    for (CDeviceOptionUI* e : entries_) {
        if (e->isHidden()) continue;
        ++visibleCount;
        synchronised += e->IsSynchroChecked() ? 1 : 0;
    }
    if (visibleCount == 0) {
        if (powerSwitch_) powerSwitch_->setCurrentIndex(0);
        if (deviceSwitch_) deviceSwitch_->setCurrentIndex(0);
    }
    UpdateNoDeviceLink();
    if (visibleCount <= 1) {
        // Synchronised lighting needs two devices: it ends for all.
        for (CDeviceOptionUI* e : entries_) {
            if (e->Model()) e->Model()->CommandChannel().SetSynchronised(false);
        }
    }
    if (synchronised <= 1) {
        for (CDeviceOptionUI* e : entries_) e->SetSynchroChecked(false);
    }
    if (visibleCount_) visibleCount_(visibleCount > 1);
}

void CDeviceList::HideDeviceEntry(int index) {
    CDeviceOptionUI* entry = Entry(index);
    if (entry == nullptr) return;
    int other = -1;
    if (!entry->isHidden() && entry->IsOptionSelected()) {
        if (selectedHidden_) selectedHidden_();
        for (int i = 0; i < Count(); ++i) {
            if (i != index && IsEntryVisible(i)) {
                other = i;
                break;
            }
        }
    }
    ShowDeviceEntry(index, false, false);
    if (other >= 0) ShowDeviceEntry(other, true, true);
}

bool CDeviceList::SelectNeighbour(int direction) {
    const int selected = SelectedIndex();
    if (selected < 0 || direction == 0) return false;
    for (int i = selected + direction; i >= 0 && i < Count(); i += direction) {
        if (IsEntryVisible(i)) {
            ShowDeviceEntry(i, true, true);
            return true;
        }
    }
    return false;
}

}  // namespace morvek::app

#pragma once
// CDialogBuilder: turns a skin file (a Qt Designer .ui file named through the resource index)
// into a control tree. Every widget class the file names is looked up in this order: the
// custom control factory (CControlFactory), the builder callback of the window (its custom
// tags, CreateControl), then Qt's own widgets. A class nobody knows makes the build fail.

#include <QString>
#include <QWidget>

namespace morvek::app {

class CResourceManager;

// The window's part of building: custom tags it creates itself (device pages, panels built
// from their own skin files).
class IDialogBuilderCallback {
public:
    virtual ~IDialogBuilderCallback() = default;
    // A control for tag with parent, or nullptr when the tag is not the window's.
    virtual QWidget* CreateControl(const QString& tag, QWidget* parent) = 0;
};

class CDialogBuilder {
public:
    explicit CDialogBuilder(const CResourceManager& resources, IDialogBuilderCallback* callback = nullptr);

    // Builds the skin file a resource name stands for ("XML_MAIN", "XML\DeviceXml\...") under
    // parent. nullptr when the file is missing or cannot be built; ErrorString says why.
    QWidget* Create(const QString& skinName, QWidget* parent = nullptr);
    QString ErrorString() const { return error_; }

private:
    const CResourceManager& resources_;
    IDialogBuilderCallback* callback_;
    QString error_;
};

}  // namespace morvek::app

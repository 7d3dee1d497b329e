#include "app/DialogBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUiLoader>

#include "app/ControlFactory.h"
#include "app/ResourceManager.h"

namespace morvek::app {

namespace {

class SkinUiLoader final : public QUiLoader {
public:
    SkinUiLoader(IDialogBuilderCallback* callback, QString* unknownClass)
        : callback_(callback), unknownClass_(unknownClass) {}

    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override {
        QWidget* widget = CControlFactory::GetInstance().CreateControl(className, parent);
        if (widget == nullptr && callback_ != nullptr) widget = callback_->CreateControl(className, parent);
        if (widget == nullptr) widget = QUiLoader::createWidget(className, parent, name);
        if (widget == nullptr) {
            if (unknownClass_->isEmpty()) *unknownClass_ = className;
            return nullptr;
        }
        widget->setObjectName(name);
        return widget;
    }

private:
    IDialogBuilderCallback* callback_;
    QString* unknownClass_;
};

}  // namespace

CDialogBuilder::CDialogBuilder(const CResourceManager& resources, IDialogBuilderCallback* callback)
    : resources_(resources), callback_(callback) {}

QWidget* CDialogBuilder::Create(const QString& skinName, QWidget* parent) {
    error_.clear();
    const QString path = resources_.FilePath(skinName);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        error_ = QString("cannot open the skin file %1 (%2)").arg(skinName, path);
        return nullptr;
    }
    QString unknownClass;
    SkinUiLoader loader(callback_, &unknownClass);
    loader.setWorkingDirectory(QFileInfo(path).absoluteDir());
    QWidget* root = loader.load(&file, parent);
    if (root == nullptr || !unknownClass.isEmpty()) {
        delete root;
        error_ = unknownClass.isEmpty() ? QString("cannot build %1: %2").arg(skinName, loader.errorString())
                                        : QString("cannot build %1: unknown control class %2").arg(skinName, unknownClass);
        return nullptr;
    }
    return root;
}

}  // namespace morvek::app

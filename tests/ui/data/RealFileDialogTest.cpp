#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <vector>

#include "MemorySettingsStore.h"
#include "core/data/FileCommands.h"
#include "ui/data/QtFileCommandsView.h"

namespace zorvex {
namespace {

QString NameBox(QFileDialog& dialog) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    return edit ? edit->text() : QString();
}

// Acts on the file dialog once it is up, as a user would, one step per appearance.
class DialogHand {
  public:
    using Step = std::function<void(QFileDialog&)>;
    explicit DialogHand(std::vector<Step> steps) : steps_(std::move(steps)) { Arm(); }
    int seen = 0;

  private:
    void Arm() {
        QTimer::singleShot(10, [this] {
            QFileDialog* dialog = nullptr;
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* d = qobject_cast<QFileDialog*>(widget); d && d->isVisible()) {
                    dialog = d;
                }
            }
            if (dialog == nullptr) {
                Arm();
                return;
            }
            const std::size_t step = static_cast<std::size_t>(seen++);
            if (step + 1 < steps_.size()) {
                Arm();
            }
            steps_[step](*dialog);
        });
    }
    std::vector<Step> steps_;
};

TEST(RealFileDialog, SaveAsStartsAtHomeProposesTheMdvPatternAndTakesATypedName) {
    QTemporaryDir dir;
    testing::MemorySettingsStore settings;  // the stored folder does not exist here
    QtFileCommandsView view(nullptr, [](const std::string&) {});
    QString startedIn;
    QString proposed;
    QStringList filters;
    bool overwriteAsked = false;
    const QString target = dir.filePath(QStringLiteral("mon1.mdv"));
    DialogHand hand({
        [&](QFileDialog& d) {
            startedIn = d.directory().absolutePath();
            proposed = NameBox(d);
            filters = d.nameFilters();
            overwriteAsked = !d.testOption(QFileDialog::DontConfirmOverwrite);
            // Accepting the proposed pattern only lists by it; the dialog comes back.
            QMetaObject::invokeMethod(&d, "accept");
        },
        [&](QFileDialog& d) {
            // The user goes to the folder and types the name.
            d.setDirectory(dir.path());
            d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QStringLiteral("mon1.mdv"));
            QMetaObject::invokeMethod(&d, "accept");
        },
    });
    const auto chosen = view.ChooseFileToSave(SaveDialogFor(settings));
    EXPECT_EQ(hand.seen, 2);
    EXPECT_EQ(startedIn, QDir::home().absolutePath());
    EXPECT_EQ(proposed, QStringLiteral("*.mdv"));
    EXPECT_EQ(filters, (QStringList{QStringLiteral("Monitor Data Files (*.mdv)"),
                                    QStringLiteral("All Files (*)")}));
    EXPECT_TRUE(overwriteAsked);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->path, target.toStdString());
    EXPECT_EQ(chosen->title, "mon1.mdv");
}

TEST(RealFileDialog, CancelChoosesNothing) {
    testing::MemorySettingsStore settings;
    QtFileCommandsView view(nullptr, [](const std::string&) {});
    DialogHand hand({[](QFileDialog& d) { d.reject(); }});
    EXPECT_FALSE(view.ChooseFileToOpen(OpenDialogFor()).has_value());
    EXPECT_EQ(hand.seen, 1);
}

}  // namespace
}  // namespace zorvex

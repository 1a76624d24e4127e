// The start-up sequence creates the special selections form after the data
// module, hands it to the record sheet and keeps it until the program ends.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include "app/dmunit.h"
#include "app/fouvod.h"
#include "app/startup.h"
#include "tests/support/seams.h"

namespace {

std::vector<std::string>* g_events = nullptr;

void Note(const std::string& event) {
    g_events->push_back(event);
}

class RecordingSheet : public TRecordSheetView {
  public:
    RecordingSheet() { Note("sheet created"); }
    ~RecordingSheet() override { Note("sheet destroyed"); }
    bool IsEditMode() const override { return true; }
    void ShowPhoto(bool) override {}
    void SetBreedLists(const QStringList&) override {}
    void AttachDataModule(TDM1&) override { Note("sheet attached to the data module"); }
    void AttachSelections(TSpecialSelectionsView& selections) override {
        Note("sheet given the selections");
        given = &selections;
    }
    void ShowEntry(TRecordSheetEntry) override {}
    void ApplySettings(const Parametry&) override {}

    TSpecialSelectionsView* given = nullptr;
};

class RecordingSelections : public TSpecialSelectionsView {
  public:
    RecordingSelections() { Note("selections created"); }
    ~RecordingSelections() override { Note("selections destroyed"); }
    bool ShowPage(const QString&) override { return false; }
    QString SelectionCondition(int) const override { return QString(); }
};

}  // namespace

TEST(StartUpForms, TheSelectionsFormComesAfterTheDataModuleAndLivesUntilTheEnd) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QByteArray previousTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp.path().toLocal8Bit());
    std::vector<std::string> events;
    g_events = &events;
    testing_support::ScriptedMessages messages;  // the test folder holds no database

    RecordingSheet* sheet = nullptr;
    RecordingSelections* selections = nullptr;
    bool dataModuleOpen = false;
    // Once the launcher is shown, it is closed as the user closes it.
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* launcher = qobject_cast<TFoUvod*>(window);
            if (launcher != nullptr && launcher->isVisible()) {
                closer.stop();
                Note("launcher shown");
                launcher->close();
            }
        }
    });
    closer.start();
    const int result = RunHarvel(
        *qApp,
        [&] {
            auto made = std::make_unique<RecordingSheet>();
            sheet = made.get();
            return made;
        },
        [&](TDM1& dm) {
            dataModuleOpen = dm.Database1.DatabaseName() == "DM_REGDOB";
            auto made = std::make_unique<RecordingSelections>();
            selections = made.get();
            return made;
        });
    g_events = nullptr;
    qputenv("TMPDIR", previousTemp);

    EXPECT_EQ(result, 0);
    EXPECT_TRUE(dataModuleOpen);
    ASSERT_NE(selections, nullptr);
    EXPECT_EQ(events, (std::vector<std::string>{"sheet created", "selections created",
                                                "sheet attached to the data module",
                                                "sheet given the selections", "launcher shown",
                                                "sheet destroyed", "selections destroyed"}));
}

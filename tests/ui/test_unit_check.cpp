// The window's "Check unit" through the real Setup menu, against the unit on a pseudo-terminal
// behind Com1, and the network address typed in the port menu, kept in the settings.
#include <QInputDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "image/unit_tables.h"
#include "support/served_unit.h"
#include "ui_fixture.h"

namespace mmx::test {
namespace {

class UnitCheckWindow : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        frame->choosePort(1);
    }
    // The unit on its terminal; Com1 stands for it (the check opens the port itself).
    ServedUnit& startUnit(UnitOptions options = {}, const std::vector<uint8_t>& messageTable = {}) {
        served = std::make_unique<ServedUnit>(options);
        if (!messageTable.empty()) served->unit.load(0x3FF000, messageTable);
        served->start();
        scratch.write("MMX4210-ports.ini", "Com1=" + served->path() + "\n");
        return *served;
    }

    // Runs "Check unit" from the menu and returns the result box's text.
    std::string checkUnit() {
        QAction* check = frame->action(QStringLiteral("CheckUnit"));
        EXPECT_NE(check, nullptr);
        EXPECT_TRUE(frame->menu(QStringLiteral("Setup"))->actions().contains(check));
        check->trigger();
        // The window thread stays free while the unit is asked: the box comes from its event loop.
        EXPECT_FALSE(check->isEnabled());
        QMessageBox* box = nullptr;
        EXPECT_TRUE(QTest::qWaitFor([&] { return (box = frame->findChild<QMessageBox*>(QStringLiteral("UnitCheckResult"))) != nullptr; }, 20000));
        if (box == nullptr) return {};
        const std::string text = box->text().toStdString();
        box->close();
        return text;
    }

    std::unique_ptr<ServedUnit> served;
};

TEST_F(UnitCheckWindow, AnErasedUnitNeedsEverything) {
    startUnit();
    EXPECT_EQ(checkUnit(), "The unit is erased.\nAn upload would send everything, about 1 s.");
    EXPECT_TRUE(frame->action(QStringLiteral("CheckUnit"))->isEnabled());
}

TEST_F(UnitCheckWindow, AUnitWithAnotherTableHoldsOtherMessages) {
    // Two messages, 3 and 2 blocks, the way an upload leaves the table.
    std::array<int32_t, 12> addresses;
    addresses.fill(-1);
    addresses[0] = 0;
    addresses[1] = 3 * 175;
    const image::TableBytes table = image::encodeMessageTable({addresses, 5 * 175, 2});
    startUnit({}, std::vector<uint8_t>(table.begin(), table.end()));
    EXPECT_EQ(checkUnit(),
              "The unit holds other messages (2, end address 0x00036B).\nAn upload would send everything, about 1 s.");
}

TEST_F(UnitCheckWindow, NoUnitOnThePortIsNoAnswer) {
    UnitOptions silent;
    silent.silentAfterFrames = 0;
    startUnit(silent);
    state.settings.port.CommTimeOut = 200;
    EXPECT_EQ(checkUnit().rfind("The unit did not answer: ", 0), 0u);
}

TEST_F(UnitCheckWindow, ANetworkAddressTypedInThePortMenuIsThePortAndIsKept) {
    QAction* ask = frame->action(QStringLiteral("NetworkAddress"));
    ASSERT_NE(ask, nullptr);
    ASSERT_TRUE(frame->menu(QStringLiteral("Comport"))->actions().contains(ask));
    QTimer::singleShot(0, [] {
        auto* input = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(input, nullptr);
        input->setTextValue(QStringLiteral("rfc2217://127.0.0.1:4001"));
        input->accept();
    });
    ask->trigger();
    EXPECT_EQ(state.settings.port.networkPort, "rfc2217://127.0.0.1:4001");
    EXPECT_TRUE(state.settings.port.networkPortChosen);
    QAction* remembered = frame->action(QStringLiteral("NetworkPort"));
    EXPECT_TRUE(remembered->isVisible());
    EXPECT_TRUE(remembered->isChecked());
    EXPECT_EQ(remembered->text(), QStringLiteral("rfc2217://127.0.0.1:4001"));
    EXPECT_FALSE(frame->action(QStringLiteral("ComP1"))->isChecked());

    // A Com port chosen again leaves the address offered, unchecked.
    frame->action(QStringLiteral("ComP2"))->trigger();
    EXPECT_FALSE(state.settings.port.networkPortChosen);
    EXPECT_FALSE(remembered->isChecked());
    EXPECT_TRUE(remembered->isVisible());
    remembered->trigger();
    EXPECT_TRUE(state.settings.port.networkPortChosen);
    EXPECT_FALSE(frame->action(QStringLiteral("ComP2"))->isChecked());
}

TEST_F(UnitCheckWindow, AnAddressTheParserRefusesChangesNothing) {
    QTimer::singleShot(0, [] {
        auto* input = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(input, nullptr);
        input->setTextValue(QStringLiteral("tcp://unit7"));
        input->accept();
        // Then the warning that says why.
        QTimer::singleShot(0, [] {
            auto* warning = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(warning, nullptr);
            EXPECT_TRUE(warning->text().startsWith(QStringLiteral("This is no network address: "))) << warning->text().toStdString();
            warning->accept();
        });
    });
    frame->action(QStringLiteral("NetworkAddress"))->trigger();
    EXPECT_EQ(state.settings.port.networkPort, "");
    EXPECT_FALSE(state.settings.port.networkPortChosen);
    EXPECT_TRUE(frame->action(QStringLiteral("ComP1"))->isChecked());
}

}  // namespace
}  // namespace mmx::test

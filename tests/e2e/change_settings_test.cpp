// Change Settings as the menu runs it: the DirectX check, then the modal dialog over the menu,
// closed from the keyboard, with the registry left alone. (Cancel's restoring is checked on the
// dialog itself; Escape, which the dialog manager turns into Cancel, by the settings player test.)
#include <gtest/gtest.h>

#include "ChangeSettings.h"
#include "ScriptedMessageBoxes.h"
#include "ModalDialogPlayer.h"
#include "SettingsDialogDriver.h"
#include "StartUp.h"
#include "TestKey.h"
#include "TestWindow.h"
#include "resource.h"

namespace {

const char* const DirectX60 = "4.06.00.0318";
const char* const DirectX61 = "4.06.02.0436";

void ChooseWindowMode(HWND dialog) {
    HWND box = GetDlgItem(dialog, IDC_MODE_BOX);
    SendMessageA(box, CB_SETCURSEL, 1, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_MODE_BOX, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box));
}

class ChangeSettingsTest : public testing::Test {
  protected:
    void SetUp() override {
        AppInstance = GetModuleHandleA(nullptr);
        LauncherSettings.displayMode = 0;
        LauncherSettings.options[0] = LauncherSettings.options[1] = 0xFFFFFFFB;
        LauncherSettings.device = 0;
        LauncherSettings.deviceId = GUID_NULL;
        registryBefore_ = settings_.Snapshot();
    }
    void TearDown() override {
        EXPECT_EQ(registryBefore_, settings_.Snapshot()) << "the dialog wrote to the registry";
    }

    TestDeviceList devices_{{{"Board", 0, {1, 1}, {1, 1}, TaggedGuid(7)}}, 0};
    TestWindow owner_{true};
    ScriptedMessageBoxes boxes_{IDOK};
    TestKey settings_{HKEY_LOCAL_MACHINE, "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL"};
    TestKey directX_{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX"};
    std::string registryBefore_;
};

} // namespace

TEST_F(ChangeSettingsTest, WithoutDirectX61NothingOpensAndThePlayerIsTold) {
    directX_.StoreText("Version", DirectX60);
    int result = -1;
    ModalPlay play = PlayModalDialog([&] { result = ChangeSettings(owner_); },
                                     [](HWND dialog) { PressKey(dialog, VK_ESCAPE); });
    EXPECT_EQ(0, result);
    EXPECT_FALSE(play.dialogSeen);
    ASSERT_EQ(1u, boxes_.Shown().size());
    const ShownBox& box = boxes_.Shown()[0];
    EXPECT_EQ(HWND(owner_), box.owner);
    EXPECT_EQ("Please install DirectX (R)6 or above first.", box.text);
    EXPECT_EQ("MOSS HARBOR", box.caption);
    EXPECT_EQ(UINT(MB_OK), box.flags);
    EXPECT_EQ(0u, LauncherSettings.device);
}

TEST_F(ChangeSettingsTest, EnterKeepsTheChoicesMadeOverTheDisabledMenu) {
    directX_.StoreText("Version", DirectX61);
    bool ownedByMenu = false;
    bool menuDisabled = false;
    std::string caption;
    int result = -1;
    ModalPlay play = PlayModalDialog([&] { result = ChangeSettings(owner_); },
                                     [&](HWND dialog) {
                                         ownedByMenu = GetWindow(dialog, GW_OWNER) == owner_;
                                         menuDisabled = !IsWindowEnabled(owner_);
                                         char text[64] = {};
                                         GetWindowTextA(dialog, text, sizeof text);
                                         caption = text;
                                         ChooseWindowMode(dialog);
                                         PressKey(dialog, VK_RETURN);
                                     });
    ASSERT_TRUE(play.dialogSeen);
    EXPECT_FALSE(play.timedOut) << "Enter did not close the dialog";
    EXPECT_EQ(0, result);
    EXPECT_TRUE(ownedByMenu);
    EXPECT_TRUE(menuDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ("MOSS HARBOR", caption);
    EXPECT_EQ(1u, LauncherSettings.displayMode);
    EXPECT_EQ(1u, LauncherSettings.device);
    EXPECT_TRUE(IsEqualGUID(TaggedGuid(7), LauncherSettings.deviceId));
    EXPECT_TRUE(boxes_.Shown().empty());
}

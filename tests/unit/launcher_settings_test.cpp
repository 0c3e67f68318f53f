// The settings record against its real registry key: defaults, the Device ID rules, round trips
// that keep every value the game stored, and hostile stored data.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "LauncherSettings.h"
#include "TestKey.h"

namespace {

const char* const SettingsPath = "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL";

std::string Bytes(const void* data, size_t size) {
    return std::string(static_cast<const char*>(data), size);
}
std::string DwordBytes(DWORD value) {
    return Bytes(&value, sizeof value);
}
std::string TextBytes(const std::string& text) {
    return text + '\0';
}
GUID MakeGuid(BYTE first) {
    GUID id;
    for (size_t i = 0; i < sizeof id; ++i)
        reinterpret_cast<BYTE*>(&id)[i] = static_cast<BYTE>(first + i);
    return id;
}
std::string GuidBytes(const GUID& id) {
    return Bytes(&id, sizeof id);
}

const GUID StoredId = MakeGuid(0x10);
const GUID PreviousId = MakeGuid(0xA0);
const std::string SavePath = "C:\\Saves\\MOSS HARBOR\xAE\\" + std::string(280, 's');
const std::string InstallPath = "C:\\Program Files\\HALDEN\\MOSS HARBOR";
const std::string Execute = InstallPath + "\\moss.exe " + std::string(4000, 'e');

struct Stored {
    const char* name;
    DWORD type;
    std::string bytes;
};

// The twelve values as the game's setup program leaves them, long texts included.
std::vector<Stored> GameValues() {
    return {
        {"Setup", REG_DWORD, DwordBytes(1)},
        {"Install", REG_DWORD, DwordBytes(0x20)},
        {"Indeo Check", REG_DWORD, DwordBytes(1)},
        {"Display Mode", REG_DWORD, DwordBytes(1)},
        {"Device", REG_DWORD, DwordBytes(1)},
        {"Device ID", REG_BINARY, GuidBytes(StoredId)},
        {"Option0", REG_DWORD, DwordBytes(0x3B)},
        {"Option1", REG_DWORD, DwordBytes(0x2A)},
        {"Install Flag", REG_DWORD, DwordBytes(7)},
        {"Save Path", REG_SZ, TextBytes(SavePath)},
        {"Install Path", REG_SZ, TextBytes(InstallPath)},
        {"Execute", REG_SZ, TextBytes(Execute)},
    };
}

SettingsRecord GameRecord() {
    SettingsRecord record{};
    record.setup = 1;
    record.install = 0x20;
    record.indeoCheck = 1;
    record.displayMode = 1;
    record.device = 1;
    record.deviceId = StoredId;
    record.options[0] = 0x3B;
    record.options[1] = 0x2A;
    record.installFlag = 7;
    record.savePath = SavePath.c_str();
    record.installPath = InstallPath.c_str();
    record.execute = Execute.c_str();
    return record;
}

void ExpectText(const std::string& expected, const TString& actual, const char* name) {
    EXPECT_EQ(expected, actual.Text()) << name;
    EXPECT_EQ(static_cast<int>(expected.size()), actual.Length()) << name;
}

void ExpectRecord(const SettingsRecord& expected, const SettingsRecord& actual) {
    EXPECT_EQ(expected.setup, actual.setup) << "Setup";
    EXPECT_EQ(expected.install, actual.install) << "Install";
    EXPECT_EQ(expected.indeoCheck, actual.indeoCheck) << "Indeo Check";
    EXPECT_EQ(expected.displayMode, actual.displayMode) << "Display Mode";
    EXPECT_EQ(expected.device, actual.device) << "Device";
    EXPECT_EQ(GuidBytes(expected.deviceId), GuidBytes(actual.deviceId)) << "Device ID";
    EXPECT_EQ(expected.options[0], actual.options[0]) << "Option0";
    EXPECT_EQ(expected.options[1], actual.options[1]) << "Option1";
    EXPECT_EQ(expected.installFlag, actual.installFlag) << "Install Flag";
    ExpectText(expected.savePath.Text(), actual.savePath, "Save Path");
    ExpectText(expected.installPath.Text(), actual.installPath, "Install Path");
    ExpectText(expected.execute.Text(), actual.execute, "Execute");
}

class LauncherSettingsTest : public testing::Test {
  protected:
    LauncherSettingsTest() { LauncherSettings = SettingsRecord{}; }
    ~LauncherSettingsTest() override { LauncherSettings = SettingsRecord{}; }

    void StoreGameValues() const {
        for (const Stored& value : GameValues())
            key.Store(value.name, value.type, value.bytes);
    }

    TestKey key{HKEY_LOCAL_MACHINE, SettingsPath, TestKey::Emptied};
};

TEST_F(LauncherSettingsTest, WithNoKeyEveryValueTakesItsDefaultAndNothingIsCreated) {
    LauncherSettings = GameRecord();
    LauncherSettings.deviceId = GUID{};
    LoadLauncherSettings();

    SettingsRecord expected{};
    expected.options[0] = expected.options[1] = 0xFFFFFFFB;
    ExpectRecord(expected, LauncherSettings);
    EXPECT_FALSE(key.Exists());
}

TEST_F(LauncherSettingsTest, DeviceIdKeepsTheBytesTheRegistryDoesNotHold) {
    key.StoreDword("Device", 1);
    LauncherSettings.deviceId = PreviousId;
    LoadLauncherSettings();
    EXPECT_EQ(GuidBytes(PreviousId), GuidBytes(LauncherSettings.deviceId));
    EXPECT_EQ(1u, LauncherSettings.device);

    key.Store("Device ID", REG_BINARY, "\x01\x02\x03");
    LoadLauncherSettings();
    EXPECT_EQ("\x01\x02\x03" + GuidBytes(PreviousId).substr(3),
              GuidBytes(LauncherSettings.deviceId));
}

TEST_F(LauncherSettingsTest, SavingCreatesTheKeyAndLoadingGivesBackAllTwelveValues) {
    LauncherSettings = GameRecord();
    SaveLauncherSettings();

    EXPECT_EQ(12u, key.CountValues());
    for (const Stored& value : GameValues()) {
        StoredValue saved = key.Read(value.name);
        EXPECT_EQ(value.type, saved.type) << value.name;
        EXPECT_EQ(value.bytes, saved.bytes) << value.name;
    }
    LauncherSettings = SettingsRecord{};
    LoadLauncherSettings();
    ExpectRecord(GameRecord(), LauncherSettings);
}

TEST_F(LauncherSettingsTest, ALoadAndASaveLeaveEveryValueOfTheGameAsItWas) {
    key.StoreText("Language", "English"); // not the launcher's: never touched
    for (size_t length : {0, 1, 259, 260, 261, 70000}) {
        StoreGameValues();
        key.StoreText("Save Path", std::string(length, 'S'));
        key.StoreText("Execute", std::string(length, 'X'));
        LoadLauncherSettings();
        SaveLauncherSettings();

        std::vector<Stored> expected = GameValues();
        expected[9].bytes = TextBytes(std::string(length, 'S'));
        expected[11].bytes = TextBytes(std::string(length, 'X'));
        for (const Stored& value : expected) {
            StoredValue saved = key.Read(value.name);
            EXPECT_EQ(value.type, saved.type) << value.name << ", texts of " << length;
            EXPECT_TRUE(value.bytes == saved.bytes) << value.name << ", texts of " << length;
        }
    }
    EXPECT_EQ(13u, key.CountValues());
    EXPECT_EQ(TextBytes("English"), key.Read("Language").bytes);
}

// One hostile stored value among the game's values, and how the record must read it.
struct HostileCase {
    std::string label;
    const char* name;
    DWORD type;
    std::string bytes;
    std::function<void(SettingsRecord&)> expect; // applied to GameRecord()
};

void PrintTo(const HostileCase& hostile, std::ostream* out) {
    *out << hostile.label;
}

std::string Label(const char* name, const char* suffix) {
    std::string label;
    for (const char* c = name; *c; ++c)
        if (*c != ' ')
            label += *c;
    return label + "_" + suffix;
}

struct NumberValue {
    const char* name;
    DWORD& (*field)(SettingsRecord&);
};

std::vector<HostileCase> HostileCases() {
    const NumberValue numbers[] = {
        {"Setup", [](SettingsRecord& r) -> DWORD& { return r.setup; }},
        {"Install", [](SettingsRecord& r) -> DWORD& { return r.install; }},
        {"Indeo Check", [](SettingsRecord& r) -> DWORD& { return r.indeoCheck; }},
        {"Display Mode", [](SettingsRecord& r) -> DWORD& { return r.displayMode; }},
        {"Device", [](SettingsRecord& r) -> DWORD& { return r.device; }},
        {"Option0", [](SettingsRecord& r) -> DWORD& { return r.options[0]; }},
        {"Option1", [](SettingsRecord& r) -> DWORD& { return r.options[1]; }},
        {"Install Flag", [](SettingsRecord& r) -> DWORD& { return r.installFlag; }},
    };
    // Numbers: the stored bytes zero-extended whatever their type; more than 4: the leading 4.
    struct {
        const char* suffix;
        DWORD type;
        std::string bytes;
        DWORD reading;
    } const numberCases[] = {
        {"WrongTypeText", REG_SZ, TextBytes("5"), 0x35},
        {"WrongTypeBinary", REG_BINARY, DwordBytes(0x11223344), 0x11223344},
        {"TooShort", REG_DWORD, "\x34\x12", 0x1234},
        {"Empty", REG_DWORD, "", 0},
        {"TooLong", REG_DWORD, std::string(8, '\x05'), 0x05050505},
        {"SixtyFourBits", REG_QWORD, DwordBytes(1) + DwordBytes(2), 1},
        {"LongText", REG_SZ, TextBytes("Done"), 0x656E6F44},
        {"TextWithoutNul", REG_SZ, "12", 0x3231},
    };
    // Texts: whatever bytes are stored up to the first NUL, of any length, whatever the type.
    const char* const texts[] = {"Save Path", "Install Path", "Execute"};
    struct {
        const char* suffix;
        DWORD type;
        std::string bytes;
        std::string reading;
    } const textCases[] = {
        {"WrongTypeNumber", REG_DWORD, std::string("ABC\0", 4), "ABC"},
        {"WrongTypeNumberWithoutNul", REG_DWORD, "ABCD", "ABCD"},
        {"BinaryWithoutNul", REG_BINARY, "D:\\MOSS", "D:\\MOSS"},
        {"Empty", REG_SZ, "", ""},
        {"TooLong", REG_SZ, TextBytes(std::string(5000, 'L')), std::string(5000, 'L')},
        {"WithoutNul", REG_SZ, "D:\\MOSS", "D:\\MOSS"},
        {"WithoutNul259", REG_SZ, std::string(259, 'F'), std::string(259, 'F')},
        {"WithoutNul260", REG_SZ, std::string(260, 'F'), std::string(260, 'F')},
        {"LongWithoutNul", REG_SZ, std::string(3000, 'N'), std::string(3000, 'N')},
    };
    // Device ID: as many leading bytes as are stored; more than a GUID: left as it was.
    struct {
        const char* suffix;
        DWORD type;
        std::string bytes;
        std::string reading;
    } const idCases[] = {
        {"WrongTypeText", REG_SZ, TextBytes("0123456789abcde"), TextBytes("0123456789abcde")},
        {"WrongTypeNumber", REG_DWORD, "WXYZ", "WXYZ" + GuidBytes(PreviousId).substr(4)},
        {"TooShort", REG_BINARY, "12345678", "12345678" + GuidBytes(PreviousId).substr(8)},
        {"Empty", REG_BINARY, "", GuidBytes(PreviousId)},
        {"TooLong", REG_BINARY, std::string(20, '\x7F'), GuidBytes(PreviousId)},
    };

    std::vector<HostileCase> cases;
    for (const NumberValue& number : numbers) {
        for (const auto& c : numberCases) {
            DWORD value = c.reading;
            if (std::string("Display Mode") == number.name)
                value = value != 0 ? 1 : 0;
            auto field = number.field;
            cases.push_back({Label(number.name, c.suffix), number.name, c.type, c.bytes,
                             [field, value](SettingsRecord& r) { field(r) = value; }});
        }
    }
    for (DWORD mode : {2u, 7u, 0xFFFFFFFFu})
        cases.push_back({"DisplayMode_" + std::to_string(mode), "Display Mode", REG_DWORD,
                         DwordBytes(mode), [](SettingsRecord& r) { r.displayMode = 1; }});
    for (size_t i = 0; i < 3; ++i) {
        for (const auto& c : textCases) {
            std::string text = c.reading;
            cases.push_back({Label(texts[i], c.suffix), texts[i], c.type, c.bytes,
                             [i, text](SettingsRecord& r) {
                                 TString* fields[] = {&r.savePath, &r.installPath, &r.execute};
                                 *fields[i] = text.c_str();
                             }});
        }
    }
    for (const auto& c : idCases) {
        std::string id = c.reading;
        cases.push_back({Label("Device ID", c.suffix), "Device ID", c.type, c.bytes,
                         [id](SettingsRecord& r) { std::memcpy(&r.deviceId, id.data(), 16); }});
    }
    return cases;
}

class HostileSettingsTest : public LauncherSettingsTest,
                            public testing::WithParamInterface<HostileCase> {};

TEST_P(HostileSettingsTest, ReadsTheSoundValueAndTheNextSaveKeepsIt) {
    const HostileCase& hostile = GetParam();
    StoreGameValues();
    key.Store(hostile.name, hostile.type, hostile.bytes);
    SettingsRecord expected = GameRecord();
    hostile.expect(expected);

    LauncherSettings.deviceId = PreviousId;
    LoadLauncherSettings();
    ExpectRecord(expected, LauncherSettings);

    SaveLauncherSettings();
    LauncherSettings = SettingsRecord{};
    LoadLauncherSettings();
    ExpectRecord(expected, LauncherSettings);
}

INSTANTIATE_TEST_SUITE_P(EveryValue, HostileSettingsTest, testing::ValuesIn(HostileCases()),
                         [](const testing::TestParamInfo<HostileCase>& param) {
                             return param.param.label;
                         });

} // namespace

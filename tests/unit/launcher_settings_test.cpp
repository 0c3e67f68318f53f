// The settings record against its real registry key: defaults, the Device ID rules, round trips
// that keep every value the game stored, and hostile stored data. What a load read is seen in
// what the next save writes.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Kept.h"
#include "LauncherSettings.h"
#include "TestKey.h"

namespace {

std::string DwordBytes(DWORD value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}
std::string TextBytes(const std::string& text) {
    return text + '\0';
}
std::string IdBytes(char first) {
    std::string id;
    for (char i = 0; i < 16; ++i)
        id += static_cast<char>(first + i);
    return id;
}

const std::string StoredId = IdBytes(0x10);
const std::string PreviousId = IdBytes(static_cast<char>(0xA0));
const std::string SavePath = "C:\\Saves\\MOSS HARBOR\xAE\\" + std::string(280, 's');
const std::string InstallPath = "C:\\Program Files\\HALDEN\\MOSS HARBOR";
const std::string Execute = InstallPath + "\\moss.exe " + std::string(4000, 'e');

struct Stored {
    const char* name;
    DWORD type;
    std::string bytes;
};
using Values = std::vector<Stored>;

// The twelve values as the game's setup program leaves them, long texts included.
Values GameValues() {
    return {
        {"Setup", REG_DWORD, DwordBytes(1)},
        {"Install", REG_DWORD, DwordBytes(0x20)},
        {"Indeo Check", REG_DWORD, DwordBytes(1)},
        {"Display Mode", REG_DWORD, DwordBytes(1)},
        {"Device", REG_DWORD, DwordBytes(1)},
        {"Device ID", REG_BINARY, StoredId},
        {"Option0", REG_DWORD, DwordBytes(0x3B)},
        {"Option1", REG_DWORD, DwordBytes(0x2A)},
        {"Install Flag", REG_DWORD, DwordBytes(7)},
        {"Save Path", REG_SZ, TextBytes(SavePath)},
        {"Install Path", REG_SZ, TextBytes(InstallPath)},
        {"Execute", REG_SZ, TextBytes(Execute)},
    };
}

Values With(Values values, const char* name, const std::string& bytes) {
    for (Stored& value : values) {
        if (std::strcmp(value.name, name) == 0)
            value.bytes = bytes;
    }
    return values;
}

void ExpectTextsWhole() {
    for (const TString* text :
         {&LauncherSettings.savePath, &LauncherSettings.installPath, &LauncherSettings.execute})
        EXPECT_EQ(static_cast<int>(std::strlen(text->Text())), text->Length());
}

class LauncherSettingsTest : public testing::Test {
  protected:
    void Store(const Values& values) const {
        for (const Stored& value : values)
            key_.Store(value.name, value.type, value.bytes);
    }
    void ExpectStored(const Values& expected, const std::string& trace) const {
        for (const Stored& value : expected) {
            StoredValue saved = key_.Read(value.name);
            EXPECT_EQ(value.type, saved.type) << value.name << trace;
            EXPECT_TRUE(value.bytes == saved.bytes) << value.name << trace;
        }
    }
    static void SetDeviceId(const std::string& bytes) {
        std::memcpy(&LauncherSettings.deviceId, bytes.data(), sizeof(GUID));
    }

    Kept<SettingsRecord> record_{LauncherSettings};
    TestKey key_{HKEY_LOCAL_MACHINE, "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL", TestKey::Emptied};
};

} // namespace

TEST_F(LauncherSettingsTest, WithNoKeyEveryValueTakesItsDefaultAndNothingIsCreated) {
    Store(GameValues());
    LoadLauncherSettings();
    key_.Empty();
    SetDeviceId(std::string(16, '\0'));
    LoadLauncherSettings();
    EXPECT_FALSE(key_.Exists());

    SaveLauncherSettings();
    Values defaults = GameValues();
    for (Stored& value : defaults)
        value.bytes = value.type == REG_SZ ? TextBytes("") : DwordBytes(0);
    defaults[5].bytes = std::string(16, '\0');
    defaults[6].bytes = defaults[7].bytes = DwordBytes(0xFFFFFFFB);
    ExpectStored(defaults, "");
}

TEST_F(LauncherSettingsTest, DeviceIdKeepsTheBytesTheRegistryDoesNotHold) {
    key_.StoreDword("Device", 1);
    SetDeviceId(PreviousId);
    LoadLauncherSettings();
    EXPECT_EQ(1u, LauncherSettings.device);
    SaveLauncherSettings();
    EXPECT_EQ(PreviousId, key_.Read("Device ID").bytes);

    key_.Store("Device ID", REG_BINARY, "\x01\x02\x03");
    LoadLauncherSettings();
    SaveLauncherSettings();
    EXPECT_EQ("\x01\x02\x03" + PreviousId.substr(3), key_.Read("Device ID").bytes);
}

TEST_F(LauncherSettingsTest, SavingCreatesTheKeyWithAllTwelveValuesOfTheRecord) {
    Store(GameValues());
    LoadLauncherSettings();
    ExpectTextsWhole();
    key_.Empty();
    SaveLauncherSettings();
    EXPECT_EQ(12u, key_.CountValues());
    ExpectStored(GameValues(), "");
}

TEST_F(LauncherSettingsTest, ALoadAndASaveLeaveEveryValueOfTheGameAsItWas) {
    key_.StoreText("Language", "English"); // not the launcher's: never touched
    for (size_t length : {0, 1, 259, 260, 261, 70000}) {
        Values stored = With(With(GameValues(), "Save Path", TextBytes(std::string(length, 'S'))),
                             "Execute", TextBytes(std::string(length, 'X')));
        Store(stored);
        LoadLauncherSettings();
        SaveLauncherSettings();
        ExpectStored(stored, ", texts of " + std::to_string(length));
    }
    EXPECT_EQ(13u, key_.CountValues());
    EXPECT_EQ(TextBytes("English"), key_.Read("Language").bytes);
}

// One hostile stored value among the game's values, and what the record must make of it.
struct HostileCase {
    std::string label;
    const char* name;
    DWORD type;
    std::string bytes;
    std::string reading; // as the next save writes it
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

std::vector<HostileCase> HostileCases() {
    // Numbers: the bytes zero-extended whatever their type; more than 4: the value's default.
    struct {
        const char* suffix;
        DWORD type;
        std::string bytes;
        std::optional<DWORD> reading;
    } const numberCases[] = {
        {"WrongTypeText", REG_SZ, TextBytes("5"), 0x35},
        {"WrongTypeBinary", REG_BINARY, DwordBytes(0x11223344), 0x11223344},
        {"TooShort", REG_DWORD, "\x34\x12", 0x1234},
        {"Empty", REG_DWORD, "", 0},
        {"TooLong", REG_DWORD, std::string(8, '\x05'), std::nullopt},
        {"SixtyFourBits", REG_QWORD, DwordBytes(1) + DwordBytes(2), std::nullopt},
        {"LongText", REG_SZ, TextBytes("Done"), std::nullopt},
        {"TextWithoutNul", REG_SZ, "12", 0x3231},
    };
    // Texts: whatever bytes are stored up to the first NUL, of any length, whatever the type.
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
        {"WrongTypeNumber", REG_DWORD, "WXYZ", "WXYZ" + PreviousId.substr(4)},
        {"TooShort", REG_BINARY, "12345678", "12345678" + PreviousId.substr(8)},
        {"Empty", REG_BINARY, "", PreviousId},
        {"TooLong", REG_BINARY, std::string(20, '\x7F'), PreviousId},
    };

    std::vector<HostileCase> cases;
    const std::pair<const char*, DWORD> numbers[] = {
        {"Setup", 0},  {"Install", 0},          {"Indeo Check", 0},      {"Display Mode", 0},
        {"Device", 0}, {"Option0", 0xFFFFFFFB}, {"Option1", 0xFFFFFFFB}, {"Install Flag", 0},
    };
    for (const auto& [number, defaultValue] : numbers) {
        for (const auto& c : numberCases) {
            DWORD value = c.reading.value_or(defaultValue);
            if (std::string("Display Mode") == number)
                value = value != 0 ? 1 : 0;
            cases.push_back({Label(number, c.suffix), number, c.type, c.bytes, DwordBytes(value)});
        }
    }
    for (DWORD mode : {2u, 7u, 0xFFFFFFFFu})
        cases.push_back({"DisplayMode_" + std::to_string(mode), "Display Mode", REG_DWORD,
                         DwordBytes(mode), DwordBytes(1)});
    for (const char* text : {"Save Path", "Install Path", "Execute"}) {
        for (const auto& c : textCases)
            cases.push_back({Label(text, c.suffix), text, c.type, c.bytes, TextBytes(c.reading)});
    }
    for (const auto& c : idCases)
        cases.push_back({Label("Device ID", c.suffix), "Device ID", c.type, c.bytes, c.reading});
    return cases;
}

class HostileSettingsTest : public LauncherSettingsTest,
                            public testing::WithParamInterface<HostileCase> {};

TEST_P(HostileSettingsTest, ReadsTheSoundValueAndTheNextSaveKeepsIt) {
    const HostileCase& hostile = GetParam();
    Store(GameValues());
    key_.Store(hostile.name, hostile.type, hostile.bytes);
    SetDeviceId(PreviousId);
    LoadLauncherSettings();
    ExpectTextsWhole();
    SaveLauncherSettings();
    const Values expected = With(GameValues(), hostile.name, hostile.reading);
    ExpectStored(expected, " after one load");
    LoadLauncherSettings();
    SaveLauncherSettings();
    ExpectStored(expected, " after two loads");
}

INSTANTIATE_TEST_SUITE_P(EveryValue, HostileSettingsTest, testing::ValuesIn(HostileCases()),
                         [](const testing::TestParamInfo<HostileCase>& param) {
                             return param.param.label;
                         });

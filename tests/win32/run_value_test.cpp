#include "model/run_value.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "model/text.h"
#include "toolkit/handles.h"

namespace orv {
namespace {

constexpr char kName[] = "vexa_colour";
constexpr wchar_t kWideName[] = L"vexa_colour";
constexpr char kPath[] = "C:\\Program Files\\Orvanto\\Orvanto.exe";
constexpr wchar_t kQuoted[] = L"\"C:\\Program Files\\Orvanto\\Orvanto.exe\"";

RegistryKey CreateKey(HKEY root, const std::wstring& path, REGSAM access) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return {};
    }
    return RegistryKey(key);
}

RegistryKey OpenKey(HKEY root, const std::wstring& path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, access, &key) != ERROR_SUCCESS) return {};
    return RegistryKey(key);
}

std::optional<std::wstring> ReadValue(HKEY key, const wchar_t* name = kWideName) {
    wchar_t text[512] = {};
    DWORD size = sizeof(text) - sizeof(wchar_t);
    if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(text);
}

void WriteValue(HKEY key, const std::wstring& text) {
    RegSetValueExW(key, kWideName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// Tells whether a value of the key was set after Arm().
class ChangeWatch {
public:
    explicit ChangeWatch(HKEY key)
        : key_(key), event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    void Arm() {
        ResetEvent(event_.get());
        RegNotifyChangeKeyValue(key_, FALSE, REG_NOTIFY_CHANGE_LAST_SET, event_.get(), TRUE);
    }
    bool Changed() const { return WaitForSingleObject(event_.get(), 200) == WAIT_OBJECT_0; }

private:
    HKEY key_;
    KernelHandle event_;
};

// Three stand-in Run keys under a key of their own in the user's hive.
class RunValue : public ::testing::Test {
protected:
    void SetUp() override {
        base_ = L"Software\\OrvantoTests\\RunValue" + std::to_wstring(GetCurrentProcessId());
        machine_ = CreateKey(HKEY_CURRENT_USER, base_ + L"\\machine", KEY_ALL_ACCESS);
        user_ = CreateKey(HKEY_CURRENT_USER, base_ + L"\\user", KEY_ALL_ACCESS);
        machine32_ = CreateKey(HKEY_CURRENT_USER, base_ + L"\\machine32", KEY_ALL_ACCESS);
        ASSERT_TRUE(machine_ && user_ && machine32_);
    }
    void TearDown() override {
        machine_.reset();
        user_.reset();
        machine32_.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, base_.c_str());
    }

    RunKeys Writable() const { return {machine_.get(), user_.get(), machine32_.get()}; }
    // The machine key as a user without administrator rights sees it.
    RunKeys MachineRefuses() {
        readOnlyMachine_ = OpenKey(HKEY_CURRENT_USER, base_ + L"\\machine", KEY_QUERY_VALUE);
        return {readOnlyMachine_.get(), user_.get(), machine32_.get()};
    }

    std::wstring base_;
    RegistryKey machine_;
    RegistryKey user_;
    RegistryKey machine32_;
    RegistryKey readOnlyMachine_;
};

TEST_F(RunValue, EnablingWritesTheQuotedPathIntoTheMachineKeyOnly) {
    EXPECT_TRUE(ApplyRunValue(Writable(), kName, kPath, true));
    EXPECT_EQ(ReadValue(machine_.get()), kQuoted);
    EXPECT_EQ(ReadValue(user_.get()), std::nullopt);
    EXPECT_EQ(ReadValue(machine32_.get()), std::nullopt);
}

TEST_F(RunValue, EnablingTwiceWritesOnce) {
    ChangeWatch watch(machine_.get());
    watch.Arm();
    ASSERT_TRUE(ApplyRunValue(Writable(), kName, kPath, true));
    EXPECT_TRUE(watch.Changed()) << "the first enabling wrote nothing";

    watch.Arm();
    EXPECT_TRUE(ApplyRunValue(Writable(), kName, kPath, true));
    EXPECT_FALSE(watch.Changed()) << "the second enabling wrote again";
    EXPECT_EQ(ReadValue(machine_.get()), kQuoted);
}

TEST_F(RunValue, AnOldOrDifferentValueIsReplaced) {
    const std::wstring olds[] = {
        L"C:\\Program Files\\Orvanto\\Orvanto.exe",  // unquoted, as older versions wrote it
        L"\"D:\\Elsewhere\\Orvanto.exe\"",
        L"\"c:\\program files\\orvanto\\orvanto.exe\"",  // the text compares case-sensitively
    };
    for (const auto& old : olds) {
        WriteValue(machine_.get(), old);
        EXPECT_TRUE(ApplyRunValue(Writable(), kName, kPath, true));
        EXPECT_EQ(ReadValue(machine_.get()), kQuoted);
    }
}

TEST_F(RunValue, DisablingWithNoValueAnywhereIsTrueAndCreatesNothing) {
    EXPECT_TRUE(ApplyRunValue(Writable(), kName, kPath, false));
    EXPECT_TRUE(ApplyRunValue(Writable(), kName, "", false));
    EXPECT_EQ(ReadValue(machine_.get()), std::nullopt);
    EXPECT_EQ(ReadValue(user_.get()), std::nullopt);
}

TEST_F(RunValue, RefusedMachineKeyFallsBackToTheUserKey) {
    const RunKeys keys = MachineRefuses();
    EXPECT_TRUE(ApplyRunValue(keys, kName, kPath, true));
    EXPECT_EQ(ReadValue(machine_.get()), std::nullopt);
    EXPECT_EQ(ReadValue(user_.get()), kQuoted);

    ChangeWatch watch(user_.get());
    watch.Arm();
    EXPECT_TRUE(ApplyRunValue(keys, kName, kPath, true));
    EXPECT_FALSE(watch.Changed()) << "the value in the user key was written again";
}

TEST_F(RunValue, AValueThatIsRightInTheUserKeyStaysThere) {
    WriteValue(user_.get(), kQuoted);
    ChangeWatch watch(user_.get());
    watch.Arm();
    EXPECT_TRUE(ApplyRunValue(Writable(), kName, kPath, true));
    EXPECT_FALSE(watch.Changed());
    EXPECT_EQ(ReadValue(user_.get()), kQuoted);
    EXPECT_EQ(ReadValue(machine_.get()), std::nullopt);
}

TEST_F(RunValue, EnablingRemovesCopiesThatWouldStartTheProgramTwice) {
    WriteValue(machine_.get(), kQuoted);
    WriteValue(user_.get(), kQuoted);
    WriteValue(machine32_.get(), L"C:\\Old\\Orvanto.exe");
    EXPECT_TRUE(ApplyRunValue(Writable(), kName, kPath, true));
    EXPECT_EQ(ReadValue(machine_.get()), kQuoted);
    EXPECT_EQ(ReadValue(user_.get()), std::nullopt);
    EXPECT_EQ(ReadValue(machine32_.get()), std::nullopt);
}

TEST_F(RunValue, DisablingRemovesTheValueFromEveryKey) {
    WriteValue(machine_.get(), kQuoted);
    WriteValue(user_.get(), kQuoted);
    WriteValue(machine32_.get(), kQuoted);
    EXPECT_TRUE(ApplyRunValue(Writable(), kName, kPath, false));
    EXPECT_EQ(ReadValue(machine_.get()), std::nullopt);
    EXPECT_EQ(ReadValue(user_.get()), std::nullopt);
    EXPECT_EQ(ReadValue(machine32_.get()), std::nullopt);
}

TEST_F(RunValue, DisablingIsFalseWhileARefusedKeyKeepsTheValue) {
    WriteValue(machine_.get(), kQuoted);
    WriteValue(user_.get(), kQuoted);
    EXPECT_FALSE(ApplyRunValue(MachineRefuses(), kName, kPath, false));
    EXPECT_EQ(ReadValue(machine_.get()), kQuoted);
    EXPECT_EQ(ReadValue(user_.get()), std::nullopt);
}

TEST_F(RunValue, EnablingWithoutPathOrNameDoesNothing) {
    EXPECT_FALSE(ApplyRunValue(Writable(), kName, "", true));
    EXPECT_FALSE(ApplyRunValue(Writable(), "", kPath, true));
    EXPECT_EQ(ReadValue(machine_.get()), std::nullopt);
    EXPECT_EQ(ReadValue(user_.get()), std::nullopt);
}

TEST_F(RunValue, ChinesePathIsStoredAsItsUtf16Form) {
    EXPECT_TRUE(ApplyRunValue(Writable(), kName, "C:\\绿色软件\\Orvanto.exe", true));
    EXPECT_EQ(ReadValue(machine_.get()), L"\"C:\\绿色软件\\Orvanto.exe\"");
}

// The real Run keys of the prefix's registry, with a value name of this test's
// own.
TEST(RunValueInTheRegistry, EnablingAndDisablingTheRealRunKeys) {
    const std::string name = "orvanto_test_" + std::to_string(GetCurrentProcessId());
    const std::wstring wideName = LocalToWide(name);
    const wchar_t* run = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

    ASSERT_TRUE(ApplyRunValue(name, kPath, true));
    const RegistryKey machine = OpenKey(HKEY_LOCAL_MACHINE, run, KEY_QUERY_VALUE | KEY_WOW64_64KEY);
    const RegistryKey user = OpenKey(HKEY_CURRENT_USER, run, KEY_QUERY_VALUE);
    ASSERT_TRUE(machine);
    const std::optional<std::wstring> inMachine = ReadValue(machine.get(), wideName.c_str());
    const std::optional<std::wstring> inUser =
        user ? ReadValue(user.get(), wideName.c_str()) : std::nullopt;
    // Exactly one of the two holds it, quoted.
    EXPECT_NE(inMachine.has_value(), inUser.has_value());
    EXPECT_EQ(inMachine ? *inMachine : *inUser, kQuoted);

    EXPECT_TRUE(ApplyRunValue(name, kPath, false));
    EXPECT_EQ(ReadValue(machine.get(), wideName.c_str()), std::nullopt);
    if (user) {
        EXPECT_EQ(ReadValue(user.get(), wideName.c_str()), std::nullopt);
    }
}

}  // namespace
}  // namespace orv

// RegistryAccess's behaviour, the same on every registry backend. A test executable includes this header once
// and instantiates the suite with its test bed:
//   INSTANTIATE_TYPED_TEST_SUITE_P(Sim, RegistryContract, SimRegistryBed);
// A bed is default-constructible, owns a fresh empty key below HKEY_CURRENT_USER and offers:
//   Registry& registry();
//   std::string root();                               that key's path, e.g. "Software\PlenvikTest"
//   void createKey(const std::string& subKey);        any path below HKEY_CURRENT_USER
//   void putRaw(const std::string& subKey, const std::string& name, std::uint32_t type,
//               const std::vector<std::uint8_t>& data);
//       stores a value the way another program could: REG_SZ data is UTF-8 text and may hold NULs,
//       which are stored as NUL characters; other types are stored byte for byte.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "system/RegistryAccess.h"

namespace plenvik::test {

template <class Bed>
class RegistryContract : public ::testing::Test {
protected:
    Bed bed;
    RegistryAccess reg{bed.registry()};

    std::string key(const std::string& below = {}) { return below.empty() ? bed.root() : bed.root() + "\\" + below; }
    RegValue get(const std::string& subKey, const std::string& name) {
        std::string error;
        return reg.readValue(kHkeyCurrentUser, subKey, name, "", error);
    }
};

TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, WrittenStringsAndDwordsReadBackUnchanged) {
    const std::string label = "M\xC3\xBCll \xE2\x82\xAC \xE4\xB8\xAD";  // Müll € 中
    ASSERT_TRUE(this->reg.writeString(kHkeyCurrentUser, this->key(), "Label", label));
    ASSERT_TRUE(this->reg.writeString(kHkeyCurrentUser, this->key(), "", "Standard"));
    ASSERT_TRUE(this->reg.writeDword(kHkeyCurrentUser, this->key(), "{645FF040-5081-101B-9F08-00AA002F954E}", 0));
    ASSERT_TRUE(this->reg.writeDword(kHkeyCurrentUser, this->key(), "Negativ", -2));

    EXPECT_EQ(this->get(this->key(), "Label"), RegValue(label));
    EXPECT_EQ(this->get(this->key(), "label"), RegValue(label)) << "value names ignore case";
    EXPECT_EQ(this->get(this->key(), ""), RegValue(std::string("Standard")));
    EXPECT_EQ(this->get(this->key(), "{645FF040-5081-101B-9F08-00AA002F954E}"), RegValue(std::int32_t{0}));
    EXPECT_EQ(this->get(this->key(), "Negativ"), RegValue(std::int32_t{-2}));
    // Writing again replaces the value.
    ASSERT_TRUE(this->reg.writeString(kHkeyCurrentUser, this->key(), "Label", "Papierkorb"));
    EXPECT_EQ(textOf(this->get(this->key(), "Label")), "Papierkorb");
}

TYPED_TEST_P(RegistryContract, ReadsValuesOtherProgramsWrote) {
    this->bed.putRaw(this->key(), "ShellState", kRegBinary, {0x24, 0, 0, 0, 0x33, 0xA8, 0x01});
    this->bed.putRaw(this->key(), "Flag", kRegDword, {0xFF, 0xFF, 0xFF, 0xFF});
    this->bed.putRaw(this->key(), "NurNul", kRegSz, {0});
    this->bed.putRaw(this->key(), "OhneNul", kRegSz, {'a', 'b', 'c'});
    this->bed.putRaw(this->key(), "MitNul", kRegSz, {'x', 'y', 0});

    EXPECT_EQ(this->get(this->key(), "ShellState"), RegValue(std::vector<std::uint8_t>{0x24, 0, 0, 0, 0x33, 0xA8, 0x01}));
    EXPECT_EQ(this->get(this->key(), "Flag"), RegValue(std::int32_t{-1}));
    EXPECT_EQ(this->get(this->key(), "NurNul"), RegValue(std::string()));
    // A text stored without its NUL keeps its last character.
    EXPECT_EQ(this->get(this->key(), "OhneNul"), RegValue(std::string("abc")));
    EXPECT_EQ(this->get(this->key(), "MitNul"), RegValue(std::string("xy")));
}

TYPED_TEST_P(RegistryContract, ValuesOfOtherTypesAreNotReturned) {
    this->bed.putRaw(this->key(), "Liste", 7 /* REG_MULTI_SZ */, {'a', 0, 0, 0, 0, 0});
    auto key = this->reg.openKey(kHkeyCurrentUser, this->key());
    ASSERT_NE(key, nullptr);
    RegValue value = std::string("vorher");
    EXPECT_EQ(this->reg.queryValue(key.get(), "Liste", value), kRegUnsupportedType);
    EXPECT_TRUE(isEmpty(value));
    EXPECT_TRUE(isEmpty(this->get(this->key(), "Liste")));
    EXPECT_TRUE(this->reg.closeKey(key));
}

TYPED_TEST_P(RegistryContract, MissingValuesAndKeysReadAsEmpty) {
    std::string error = "alt";
    // The default value of a key that has none.
    EXPECT_TRUE(isEmpty(this->reg.readValue(kHkeyCurrentUser, this->key(), "", "", error)));
    EXPECT_EQ(error, this->reg.registryErrorText(kRegErrorFileNotFound, true, true));

    error.clear();
    EXPECT_TRUE(isEmpty(this->reg.readValue(kHkeyCurrentUser, this->key("Fehlt"), "x", "", error)));
    EXPECT_EQ(error, this->reg.registryErrorText(kRegErrorFileNotFound, true, true));
    EXPECT_EQ(textOf(this->reg.readValue(kHkeyCurrentUser, this->key("Fehlt"), "x", "", error)), "");
}

TYPED_TEST_P(RegistryContract, WritesNeverCreateKeys) {
    const std::string missing = this->key("HideDesktopIcons\\NewStartPanel");
    EXPECT_FALSE(this->reg.writeDword(kHkeyCurrentUser, missing, "{20D04FE0-3AEA-1069-A2D8-08002B30309D}", 0));
    EXPECT_FALSE(this->reg.writeString(kHkeyCurrentUser, missing, "", "Arbeitsplatz"));
    EXPECT_EQ(this->reg.openKey(kHkeyCurrentUser, missing), nullptr);
    EXPECT_EQ(this->reg.openKey(kHkeyCurrentUser, this->key("HideDesktopIcons")), nullptr);
    // Once the key exists, the same write goes through.
    this->bed.createKey(missing);
    EXPECT_TRUE(this->reg.writeDword(kHkeyCurrentUser, missing, "{20D04FE0-3AEA-1069-A2D8-08002B30309D}", 0));
}

TYPED_TEST_P(RegistryContract, KeysOpenOnlyBelowTheCurrentUser) {
    EXPECT_EQ(this->reg.openKey(0, this->key()), nullptr);
    EXPECT_EQ(this->reg.openKey(0x80000002u /* HKEY_LOCAL_MACHINE */, this->key()), nullptr);
    auto key = this->reg.openKey(kHkeyCurrentUser, this->key());
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(this->reg.closeKey(key));
    EXPECT_EQ(key, nullptr);
    EXPECT_FALSE(this->reg.closeKey(key));

    std::string error;
    EXPECT_TRUE(isEmpty(this->reg.readValue(0, this->key(), "", "", error)));
    EXPECT_FALSE(error.empty());
}

TYPED_TEST_P(RegistryContract, ValueSetRefusesWhatItCannotWrite) {
    auto key = this->reg.openKey(kHkeyCurrentUser, this->key());
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(this->reg.writeValue(key.get(), "Bin", kRegBinary, std::vector<std::uint8_t>{1}), kRegErrorInvalidParameter);
    EXPECT_EQ(this->reg.writeValue(key.get(), "Zahl", kRegDword, std::string("5")), kRegErrorInvalidParameter);
    EXPECT_EQ(this->reg.writeValue(key.get(), "Text", kRegSz, std::int32_t{5}), kRegErrorInvalidParameter);
    EXPECT_EQ(this->reg.writeValue(nullptr, "Text", kRegSz, std::string("a")), kRegErrorInvalidHandle);
    EXPECT_EQ(this->reg.writeValue(key.get(), "Text", kRegSz, std::string("a")), 0);
    this->reg.closeKey(key);
    for (const char* name : {"Bin", "Zahl"}) EXPECT_TRUE(isEmpty(this->get(this->key(), name))) << name;
}

TYPED_TEST_P(RegistryContract, RemoteRegistriesAreNotReached) {
    ASSERT_TRUE(this->reg.writeString(kHkeyCurrentUser, this->key(), "Label", "lokal"));
    std::string error;
    const RegValue value = this->reg.readValue(kHkeyCurrentUser, this->key(), "Label", "SERVER01", error);
    EXPECT_TRUE(isEmpty(value));
    EXPECT_EQ(error, this->reg.registryErrorText(kRegErrorNotSupported, true, true));
    EXPECT_GT(error.size(), std::string("Plenvik\r\n\r\n").size());
}

TYPED_TEST_P(RegistryContract, ErrorTextsComeFromTheSystem) {
    const std::string text = this->reg.systemErrorText(2);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), '\n');
    EXPECT_NE(text.back(), '\r');
    EXPECT_EQ(this->reg.registryErrorText(0, true, true), "");
    EXPECT_EQ(this->reg.registryErrorText(2, false, false), text);
    EXPECT_EQ(this->reg.registryErrorText(2, true, false), "Plenvik" + text);
    EXPECT_EQ(this->reg.registryErrorText(2, true, true), "Plenvik\r\n\r\n" + text);
    EXPECT_EQ(this->reg.registryErrorText(2, false, true), "\r\n\r\n" + text);
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, WrittenStringsAndDwordsReadBackUnchanged, ReadsValuesOtherProgramsWrote,
                            ValuesOfOtherTypesAreNotReturned, MissingValuesAndKeysReadAsEmpty, WritesNeverCreateKeys,
                            KeysOpenOnlyBelowTheCurrentUser, ValueSetRefusesWhatItCannotWrite, RemoteRegistriesAreNotReached,
                            ErrorTextsComeFromTheSystem);

}  // namespace plenvik::test

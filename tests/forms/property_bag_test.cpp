// Property bags and the form description file: keys in any case, defaults that are not saved,
// values that are not of the kind asked, and the file on disk.
#include "forms/property_bag.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

TEST(PropertyBag, DefaultsAreNotSavedAndKeysMatchInAnyCase) {
    forms::PropertyBag bag;
    bag.WriteProperty("prbCaption", "Run At Startup", "Run At Startup");
    bag.WriteProperty("prbAlignment", 0, 0);
    EXPECT_TRUE(bag.Entries().empty());
    bag.WriteProperty("prbCaption", "Run At StartUp", "Run At Startup");  // differs in case only
    bag.WriteProperty("prbAlignment", 1, 0);
    EXPECT_EQ(bag.ReadProperty("PRBCAPTION", ""), "Run At StartUp");
    EXPECT_EQ(bag.ReadProperty("prbalignment", std::int16_t{0}), 1);
    // Writing the default again takes the earlier entry away.
    bag.WriteProperty("PrbCaption", "x", "x");
    EXPECT_FALSE(bag.Holds("prbCaption"));
    EXPECT_EQ(bag.ReadProperty("prbCaption", "default"), "default");
}

TEST(PropertyBag, ValuesNotOfTheKindAskedReadAsTheDefault) {
    const auto bag = forms::FormDescription::Parse(
                         "[c]\n"
                         "big = 70000\n"
                         "colour = 0x8000000F\n"
                         "negative = -2147483633\n"
                         "word = blue\n"
                         "text = \"12\"\n"
                         "number = 12\n"
                         "font = \"Arial\" size twelve\n"
                         "speck = \"Arial\" size 0.00004\n"  // would be saved as size 0
                         "least = \"Arial\" size 0.0001\n"
                         "open = \"no end\n")
                         .Instance("C");
    ASSERT_TRUE(bag);
    EXPECT_EQ(bag->ReadProperty("big", std::int16_t{7}), 7);
    EXPECT_EQ(bag->ReadProperty("big", std::int32_t{7}), 70000);
    EXPECT_EQ(static_cast<std::uint32_t>(bag->ReadProperty("colour", 0)), 0x8000000Fu);
    EXPECT_EQ(static_cast<std::uint32_t>(bag->ReadProperty("negative", 0)), 0x8000000Fu);
    EXPECT_EQ(bag->ReadProperty("word", 5), 5);
    EXPECT_EQ(bag->ReadProperty("text", 5), 5);
    EXPECT_EQ(bag->ReadProperty("number", ""), "12");
    EXPECT_EQ(bag->ReadProperty("word", "d"), "d");
    EXPECT_EQ(bag->ReadProperty("font", os::Font{"Default"}).name, "Default");
    EXPECT_EQ(bag->ReadProperty("speck", os::Font{"Default"}).name, "Default");
    EXPECT_EQ(forms::FontText(bag->ReadProperty("least", os::Font{})), "\"Arial\" size 0.0001 weight 400 charset 0");
    EXPECT_EQ(bag->ReadProperty("open", "d"), "d");
}

TEST(PropertyBag, TextsAndFontsComeBackExactlyFromTheirSavedText) {
    const std::string tricky = " \"quoted\" back\\slash\ttab\nline = [x] ; # ";
    const os::Font font{"Segoe \"UI\" \\ Light", 10.125, 300, 161, true, true, true};
    forms::PropertyBag bag;
    bag.WriteProperty("text", tricky, "");
    bag.WriteProperty("font", font, os::Font{});
    bag.WriteProperty("plain", os::Font{}, os::Font{});  // a font is saved even when it is the default
    forms::FormDescription description;
    description.SetInstance("Control1", bag);
    const auto back = forms::FormDescription::Parse(description.Text()).Instance("control1");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->ReadProperty("text", ""), tricky);
    EXPECT_EQ(back->ReadProperty("font", os::Font{}), font);
    EXPECT_EQ(back->ReadProperty("plain", os::Font{"x"}), os::Font{});
    EXPECT_EQ(forms::FontText(os::Font{}), "\"MS Sans Serif\" size 8.25 weight 400 charset 0");
}

TEST(FormDescriptionFile, CommentsAndStrayLinesAreSkipped) {
    const auto description = forms::FormDescription::Parse(
        "; comment\n"
        "before = 1\n"
        "[A]\r\n"
        "# comment = 2\n"
        "no equals sign\n"
        "  key  =  \"v\"  \r\n"
        "[b]\n"
        "key = 3\n");
    EXPECT_FALSE(description.Instance("A")->Holds("before"));
    EXPECT_FALSE(description.Instance("A")->Holds("# comment"));
    EXPECT_EQ(description.Instance("a")->ReadProperty("KEY", ""), "v");
    EXPECT_EQ(description.Instance("B")->ReadProperty("key", 0), 3);
    EXPECT_FALSE(description.Instance("c"));
}

TEST(FormDescriptionFile, SavedAndLoadedFromDisk) {
    const auto dir = std::filesystem::temp_directory_path() / "lisotra-form-test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "test_form.props").string();
    EXPECT_FALSE(forms::FormDescription::Load(path).Instance("x"));  // no file: nothing saved

    forms::PropertyBag bag;
    bag.WriteProperty("prbCaption", "Start", "");
    forms::FormDescription description;
    description.SetInstance("Run_At_StartUp1", bag);
    ASSERT_TRUE(description.Save(path));
    EXPECT_EQ(forms::FormDescription::Load(path).Instance("RUN_AT_STARTUP1")->ReadProperty("prbcaption", ""), "Start");
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));
    // A folder that cannot take the file: nothing is written, and the answer says so.
    EXPECT_FALSE(description.Save((dir / "missing" / "f.props").string()));
    std::filesystem::remove_all(dir);
}

// The golden-file comparison on a source tree of its own: a changed character
// fails with its line shown and leaves the written text; the update switch
// rewrites the expected file; a missing expected file or README fails.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/os/CodePage.h"
#include "platform/os/TempDir.h"
#include "support/Golden.h"
#include "support/TestSupport.h"

using testsupport::Encoding;
using testsupport::MatchesGolden;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

namespace {

class GoldenTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TAVRINA_SOURCE_DIR", source.Path().c_str(), 1);
        setenv("TAVRINA_BINARY_DIR", build.Path().c_str(), 1);
        unsetenv("TAVRINA_UPDATE_GOLDEN");
        WriteBytes(Case("README"), "A two-line entry with CR LF line ends.\n");
        WriteBytes(Case("expected.txt"), kExpected);
    }
    void TearDown() override {
        setenv("TAVRINA_SOURCE_DIR", sourceDir.c_str(), 1);
        setenv("TAVRINA_BINARY_DIR", binaryDir.c_str(), 1);
        unsetenv("TAVRINA_UPDATE_GOLDEN");
    }
    std::string Case(const std::string& file) const {
        return source.Path() + "/tests/core/golden/Naplo/entry/" + file;
    }
    std::string Actual() const { return build.Path() + "/tests/core/golden/Naplo/entry.actual"; }

    static constexpr const char* kExpected = "2019.05.02 14:30:05 Első\r\n   Cég: Őrség Kft.\r\n\r\n";
    const std::string sourceDir = testsupport::SourceDir();
    const std::string binaryDir = std::getenv("TAVRINA_BINARY_DIR") ? std::getenv("TAVRINA_BINARY_DIR") : ".";
    os::TempDir source, build;
};

}  // namespace

TEST_F(GoldenTest, TheWrittenBytesAreDecodedWithTheirCodePage) {
    EXPECT_TRUE(MatchesGolden("core/golden/Naplo", "entry", kExpected));
    EXPECT_TRUE(MatchesGolden("core/golden/Naplo", "entry", os::Utf8ToCp1250(kExpected), Encoding::Cp1250));
    EXPECT_TRUE(MatchesGolden("core/golden/Naplo", "entry", os::Utf8ToCp852(kExpected), Encoding::Cp852));
    EXPECT_FALSE(std::filesystem::exists(Actual()));
    EXPECT_EQ(testsupport::GoldenCases("core/golden/Naplo"), std::vector<std::string>{"entry"});
}

TEST_F(GoldenTest, OneChangedCharacterFailsWithItsLineAndLeavesTheActualText) {
    const std::string changed = "2019.05.02 14:30:05 Első\r\n   Cég: Őrség Kft,\r\n\r\n";
    const ::testing::AssertionResult r = MatchesGolden("core/golden/Naplo", "entry", changed);
    ASSERT_FALSE(r);
    const std::string message = r.message();
    EXPECT_NE(message.find("first difference in line 2, column 18:"), std::string::npos) << message;
    EXPECT_NE(message.find("  expected    Cég: Őrség Kft.\\r\n  actual      Cég: Őrség Kft,\\r\n"),
              std::string::npos)
        << message;
    EXPECT_NE(message.find("\n           1234567890123456789"), std::string::npos) << message;
    EXPECT_NE(message.find("\n" + std::string(28, ' ') + "^\n"), std::string::npos) << message;
    EXPECT_EQ(ReadBytes(Actual()), changed);
    EXPECT_EQ(ReadBytes(Case("expected.txt")), kExpected);  // never touched without the switch

    // On purpose: the switch rewrites the expected file, and the case passes.
    setenv("TAVRINA_UPDATE_GOLDEN", "1", 1);
    EXPECT_TRUE(MatchesGolden("core/golden/Naplo", "entry", changed));
    unsetenv("TAVRINA_UPDATE_GOLDEN");
    EXPECT_EQ(ReadBytes(Case("expected.txt")), changed);
    EXPECT_TRUE(MatchesGolden("core/golden/Naplo", "entry", changed));
    EXPECT_FALSE(std::filesystem::exists(Actual()));  // a pass clears an old mismatch
}

TEST_F(GoldenTest, ExtraOrMissingLinesAndMissingFilesFail) {
    EXPECT_FALSE(MatchesGolden("core/golden/Naplo", "entry", std::string(kExpected) + "more\r\n"));
    EXPECT_FALSE(MatchesGolden("core/golden/Naplo", "entry", "2019.05.02 14:30:05 Első\r\n"));
    EXPECT_FALSE(
        MatchesGolden("core/golden/Naplo", "entry", std::string(kExpected) + "\n"));  // line ends count

    const ::testing::AssertionResult none = MatchesGolden("core/golden/Naplo", "other", kExpected);
    ASSERT_FALSE(none);
    EXPECT_NE(std::string(none.message()).find("no expected file"), std::string::npos) << none.message();

    std::filesystem::remove(Case("README"));
    const ::testing::AssertionResult noReadme = MatchesGolden("core/golden/Naplo", "entry", kExpected);
    ASSERT_FALSE(noReadme);
    EXPECT_NE(std::string(noReadme.message()).find("README of one line"), std::string::npos);
}

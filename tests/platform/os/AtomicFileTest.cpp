#include <gtest/gtest.h>

#include <filesystem>

#include "platform/os/AtomicFile.h"
#include "platform/os/System.h"
#include "platform/os/TempDir.h"
#include "support/TestSupport.h"

using namespace os;
namespace fs = std::filesystem;

namespace {

size_t FilesIn(const std::string& dir) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++n;
    return n;
}

}  // namespace

TEST(AtomicFile, CommitReplacesTheFileWhole) {
    TempDir dir;
    const std::string path = dir.File("Cegek.DB");
    WriteFileAtomic(path, "old contents");
    WriteFileAtomic(path, "new");
    EXPECT_EQ(ReadFile(path), "new");
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(AtomicFile, WriteInterruptedBeforeRenameLeavesOldFile) {
    TempDir dir;
    const std::string path = dir.File("Cegek.DB");
    WriteFileAtomic(path, "old contents");
    try {
        AtomicFileWriter w(path);
        w.Write("half of the new ");
        EXPECT_EQ(FilesIn(dir.Path()), 2u);  // the temporary sits beside the target
        throw std::runtime_error("power cut");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(ReadFile(path), "old contents");
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(AtomicFile, FailuresAreReportedAndLeaveNothing) {
    TempDir dir;
    EXPECT_THROW(WriteFileAtomic(dir.File("missing/x.txt"), "x"), FileError);
    EXPECT_THROW(ReadFile(dir.File("nothing")), FileError);
    EXPECT_EQ(FilesIn(dir.Path()), 0u);
}

TEST(TempFile, NewFilesAreUniqueWithTheUsersModeAndGoUnlessKept) {
    TempDir dir;
    std::string kept;
    {
        TempFile first(CreateTempFile(dir.File("QJZ")));
        TempFile second(CreateTempFile(dir.File("QJZ")));
        EXPECT_NE(first.Path(), second.Path());
        EXPECT_EQ(first.Path().rfind(dir.File("QJZ"), 0), 0u);
        EXPECT_EQ(static_cast<unsigned>(fs::status(first.Path()).permissions()), DefaultFileMode());
        kept = second.Path();
        second.Keep();
    }
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
    EXPECT_TRUE(fs::exists(kept));
    try {
        CreateTempFile(dir.File("missing/QJZ"));
        ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind(
                      "Nem hozható létre ideiglenes fájl a(z) " + dir.File("missing") + " mappában: ", 0),
                  0u)
            << e.what();
    }
}

TEST(System, FoldersFollowHome) {
    testsupport::TempHome home;
    EXPECT_EQ(BaseFolder(), home.Path() + "/Tavrina");
    EXPECT_EQ(ConfigFolder(), home.Path() + "/.config/tavrina");
    EXPECT_TRUE(ForceDirectories(BaseFolder() + "/2019/Ment"));
    EXPECT_TRUE(fs::is_directory(BaseFolder() + "/2019/Ment"));
    EXPECT_FALSE(ComputerName().empty());
}

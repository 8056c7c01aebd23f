// Fuzz target of the zip reader, run by hand (not part of the build):
//
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined \
//     -fno-sanitize-recover=all -Isrc \
//     tests/backup/zip/fuzz/ZipReaderFuzz.cpp src/backup/zip/*.cpp \
//     src/platform/os/*.cpp -lz -o /tmp/zipfuzz
//   /tmp/zipfuzz -max_len=4096 -max_total_time=600 CORPUS_DIR
//
// Each input is read as an archive, listed, extracted into a fresh folder
// (also through the directory rebuilt from local headers) and updated with
// one small file. An error of the component's family is an expected outcome;
// a crash, a sanitizer report, another exception or a file written outside
// the destination is a finding.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "backup/zip/Zipper.h"
#include "platform/os/AtomicFile.h"
#include "platform/os/CodePage.h"

namespace fs = std::filesystem;

namespace {

const std::string& Root() {
    static const std::string root = [] {
        std::string t = (fs::temp_directory_path() / "zipfuzzXXXXXX").string();
        if (!mkdtemp(t.data())) std::abort();
        return t;
    }();
    return root;
}

void WriteFile(const std::string& path, const std::uint8_t* data, size_t size) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<long>(size));
}

template <class F>
void Expected(F&& f) {
    try {
        f();
    } catch (const EZipperException&) {
    } catch (const EZLibError&) {
    } catch (const os::FileError&) {
    } catch (const EListError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string root = Root(), box = root + "/box", dest = box + "/dest", archive = box + "/a.zip";
    fs::remove_all(box);
    fs::create_directories(dest);
    WriteFile(archive, data, size);
    // Parts of a split set, so that a record naming other disks finds them.
    WriteFile(box + "/a.z01", data, size);
    WriteFile(box + "/a.z02", data, size / 2);
    WriteFile(box + "/new.DB", reinterpret_cast<const std::uint8_t*>("uj tabla"), 8);

    for (TIncompleteZipMode mode : {izAssumeMulti, izAssumeBad}) {
        Expected([&] {
            TUnZipper z;
            z.IncompleteZipMode = mode;
            z.Password = "titok";
            z.SetZipName(archive);
            z.SetDestDir(dest);
            z.DoAll = true;
            z.RecreateDirs = true;
            z.OverwriteMode = Always;
            z.ExtractFiles();
            for (int i = 0; i < z.Count(); ++i) z.FileComment(i), z.DateTime(i);
        });
    }
    // An update copies the entries it keeps; what it writes must read back
    // (an entry's data may still fail its CRC: it is copied as it was).
    bool updated = false;
    Expected([&] {
        TZipper w;
        w.SetZipName(archive);
        w.FilesList = {box + "/new.DB"};
        w.CompressFiles();
        updated = true;
    });
    if (updated) {
        try {
            TUnZipper r;
            r.SetZipName(archive);
            r.SetDestDir(box + "/again");
            r.DoAll = true;
            r.RecreateDirs = true;
            r.OverwriteMode = Always;
            r.ExtractFiles();
        } catch (const EBadZipFile& e) {
            std::fprintf(stderr, "the updated archive does not read back: %s\n", e.what());
            std::abort();
        } catch (const EZipperException&) {
        } catch (const EZLibError&) {
        } catch (const os::FileError&) {
        }
        fs::remove_all(box + "/again");
    }
    // Nothing may appear beside the destination, the archive and the new file.
    for (const auto& e : fs::directory_iterator(box)) {
        const std::string n = e.path().filename().string();
        if (n != "dest" && n != "a.zip" && n != "a.z01" && n != "a.z02" && n != "new.DB") {
            std::fprintf(stderr, "written outside the destination: %s\n", n.c_str());
            std::abort();
        }
    }
    return 0;
}

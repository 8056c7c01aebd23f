// The reader against archives of the real tools, crafted damaged archives,
// hostile names, a damaged entry in a restore and a spanned set on a
// simulated removable volume.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "ZipTestUtil.h"
#include "backup/zip/UnZipper.h"
#include "platform/os/TempDir.h"
#include "platform/os/Volume.h"

using namespace ziptest;

namespace {

struct Case {
    const char* pattern;
    const char* text;
    bool match;
};

TEST(ZipSupport, WildcardMatch) {
    const Case cases[] = {
        {"*_???.db", "list_berlap_pc1.db", true},
        {"a*", "a", true},
        {"a**", "a", false},
        {"*?", "a", true},
        {"*?", "", false},
        {"<a-c>x", "bx", true},
        {"<!a-c>x", "bx", false},
        {"<a-c", "a", false},
        {"*<0-9>", "123", true},
        {"*<0-9>", "12a", false},
        {"*_001.db", "dolgozo_001.db", true},
        {"*.d?", "x.db", true},
        {"tavrina\\2019\\*_???.db", "Tavrina\\2019\\Cegek_001.DB", true},
        {"tavrina\\2019\\*_???.db", "tavrina\\2018\\cegek_001.db", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WildcardMatch(c.pattern, c.text), c.match) << c.pattern << " / " << c.text;
}

TEST(ZipSupport, PercentageAndDosStamps) {
    EXPECT_EQ(Percentage(1, 3), 33);
    EXPECT_EQ(Percentage(2, 3), 67);
    EXPECT_EQ(Percentage(1, 8), 12);  // halves go to even
    EXPECT_EQ(Percentage(5, 0), 0);
    EXPECT_EQ(Percentage(300, 100), 100);
    const std::uint32_t valid = (39u << 9 | 3u << 5 | 15u) << 16 | (10u << 11 | 30u << 5 | 5u);
    EXPECT_EQ(ValidDosDateTime(valid), valid);
    const std::uint32_t bad = (39u << 9 | 13u << 5 | 15u) << 16 | (25u << 11);
    EXPECT_EQ(ValidDosDateTime(bad), (39u << 9 | 12u << 5 | 15u) << 16 | (23u << 11));
    EXPECT_EQ(UpdateCRC(0xFFFFFFFF, "", 0) ^ 0xFFFFFFFF, 0u);
}

class ReaderTest : public ::testing::Test {
protected:
    os::TempDir tmp{"zipread"};
    std::string src = tmp.File("src"), dest = tmp.File("dest");

    void SetUp() override {
        WriteBytes(src + "/Tavrina/2019/Cegek.DB", TableLike(70000, 1));
        WriteBytes(src + "/Tavrina/2019/Dolgozo_001.DB", TableLike(150000, 2));
        WriteBytes(src + "/Tavrina/2019/sub/üres.txt", "");
        WriteBytes(src + "/Tavrina/2019/sub/kis.PX", "x");
        WriteBytes(src + "/Tavrina/rand.bin", TableLike(40000, 3) + std::string(5000, '\0'));
    }

    // Extracts everything with the stored folders kept.
    int ExtractAll(TUnZipper& z, const std::string& archive) {
        z.SetZipName(archive);
        z.SetDestDir(dest);
        z.DoAll = true;
        z.RecreateDirs = true;
        z.OverwriteMode = Always;
        return z.ExtractFiles();
    }
};

// Archives of the zip tool and of Python's zipfile come back byte-exact.
TEST_F(ReaderTest, ReadsWhatRealToolsWrite) {
    const std::string zipSrc = "cd " + Quote(src) + " && ";
    struct Tool {
        const char* name;
        std::string command;
        std::string password;
    } tools[] = {
        {"stored", zipSrc + "zip -q -0 -r ../a.zip Tavrina", ""},
        {"deflated", zipSrc + "zip -q -9 -r ../a.zip Tavrina", ""},
        {"no folder entries", zipSrc + "zip -q -D -r ../a.zip Tavrina", ""},
        {"encrypted", zipSrc + "zip -q -r -P titok ../a.zip Tavrina", "titok"},
        {"zip64", zipSrc + "zip -q -fz -r ../a.zip Tavrina", ""},
        {"python",
         "python3 -c \"import zipfile,os\nz=zipfile.ZipFile('" + tmp.File("a.zip") +
             "','w')\nfor r,d,f in os.walk('" + src +
             "'):\n  for n in f:\n    p=os.path.join(r,n)\n    "
             "z.write(p,os.path.relpath(p,'" +
             src + "'),zipfile.ZIP_STORED if n.endswith('.PX') else zipfile.ZIP_DEFLATED)\nz.close()\"",
         ""},
    };
    for (const Tool& t : tools) {
        SCOPED_TRACE(t.name);
        std::filesystem::remove_all(dest);
        std::filesystem::remove(tmp.File("a.zip"));
        Sh(t.command);
        TUnZipper z;
        z.Password = t.password;
        std::vector<int> bad;
        z.OnBadCRC = [&](TUnZipper*, std::uint32_t, std::uint32_t, int i) { bad.push_back(i); };
        ExtractAll(z, tmp.File("a.zip"));
        EXPECT_TRUE(bad.empty());
        EXPECT_EQ(Tree(dest), Tree(src));
    }
}

TEST_F(ReaderTest, ReadsASplitSetOfZip) {
    Sh("cd " + Quote(src) + " && zip -q -0 -s 64k -r ../set.zip Tavrina");
    ASSERT_TRUE(std::filesystem::exists(tmp.File("set.z01")));
    ASSERT_TRUE(std::filesystem::exists(tmp.File("set.z03")));
    TUnZipper z;
    ExtractAll(z, tmp.File("set.zip"));
    EXPECT_EQ(z.MultiMode(), mmBlocks);
    EXPECT_EQ(Tree(dest), Tree(src));
}

// The restore's own selection: two patterns, files land directly in DestDir.
TEST_F(ReaderTest, SelectsByPatternIntoDestDir) {
    Sh("cd " + Quote(src) + " && zip -q -r ../a.zip Tavrina");
    TUnZipper z;
    z.SetZipName(tmp.File("a.zip"));
    z.SetDestDir(dest);
    z.FilesList = {"TAVRINA\\2019\\*.db", "tavrina\\2019\\sub\\*.px"};
    z.OverwriteMode = Always;
    int infoFiles = -1;
    z.OnStartUnZipInfo = [&](TUnZipper*, int n, std::int64_t, bool&) { infoFiles = n; };
    EXPECT_EQ(z.ExtractFiles(), 3);
    EXPECT_EQ(infoFiles, 3);
    EXPECT_EQ(ReadBytes(dest + "/Cegek.DB"), ReadBytes(src + "/Tavrina/2019/Cegek.DB"));
    EXPECT_EQ(ReadBytes(dest + "/kis.PX"), "x");
    EXPECT_FALSE(std::filesystem::exists(dest + "/rand.bin"));
    EXPECT_TRUE(z.FilesList.empty());
    // Nothing listed: nothing selected.
    EXPECT_EQ(z.ExtractFiles(), 0);
    EXPECT_EQ(infoFiles, 0);
}

TEST_F(ReaderTest, OverwriteRules) {
    Sh("cd " + Quote(src) + "/Tavrina/2019 && zip -q " + Quote(tmp.File("a.zip")) +
       " Cegek.DB Dolgozo_001.DB");
    WriteBytes(dest + "/Cegek.DB", "old");
    WriteBytes(dest + "/Dolgozo_001.DB", "read-only");
    chmod((dest + "/Dolgozo_001.DB").c_str(), 0444);
    TUnZipper z;
    z.SetZipName(tmp.File("a.zip"));
    z.SetDestDir(dest);
    std::vector<std::pair<TSkipReason, std::string>> skipped;
    z.OnSkippingFile = [&](TUnZipper*, TSkipReason r, const std::string& n, int, bool&) {
        skipped.emplace_back(r, ExtractName(n));
    };
    z.OverwriteMode = Never;
    z.DoAll = true;
    EXPECT_EQ(z.ExtractFiles(), 0);
    EXPECT_EQ(ReadBytes(dest + "/Cegek.DB"), "old");
    // Prompt without a handler asks through the message hook: No keeps the file.
    z.OverwriteMode = Prompt;
    std::vector<int> asked;
    z.OnHandleMessage = [&](TUnZipper*, int id, const std::string& m1, const std::string& m2, int flags,
                            int& ret) {
        asked.push_back(id);
        EXPECT_EQ(m2, "File Exists Alert");
        EXPECT_EQ(flags, mbYesNo);
        ret = m1 == "Replace existing file Cegek.DB?" ? idYes : idNo;
    };
    z.DoAll = true;
    EXPECT_EQ(z.ExtractFiles(), 1);
    EXPECT_EQ(asked, (std::vector<int>{196, 196}));
    EXPECT_EQ(ReadBytes(dest + "/Cegek.DB"), ReadBytes(src + "/Tavrina/2019/Cegek.DB"));
    // Always, read-only target: skipped unless ReplaceReadOnly.
    skipped.clear();
    z.OverwriteMode = Always;
    z.DoAll = true;
    EXPECT_EQ(z.ExtractFiles(), 1);
    EXPECT_EQ(ReadBytes(dest + "/Dolgozo_001.DB"), "read-only");
    ASSERT_EQ(skipped.size(), 1u);
    EXPECT_EQ(skipped[0].first, srCreateError);
    z.ReplaceReadOnly = true;
    z.DoAll = true;
    EXPECT_EQ(z.ExtractFiles(), 2);
    EXPECT_EQ(ReadBytes(dest + "/Dolgozo_001.DB"), ReadBytes(src + "/Tavrina/2019/Dolgozo_001.DB"));
    // ifNewer with the same stamp keeps the file.
    z.OverwriteMode = ifNewer;
    z.DoAll = true;
    EXPECT_EQ(z.ExtractFiles(), 0);
}

// One damaged entry: the good ones are restored, the damaged one reported and
// its existing file left alone; nothing half-written remains.
TEST_F(ReaderTest, DamagedEntryLeavesItsTargetAlone) {
    WriteBytes(src + "/three/a.DB", TableLike(3000, 4));
    WriteBytes(src + "/three/b.DB", TableLike(3000, 5));
    WriteBytes(src + "/three/c.DB", TableLike(3000, 6));
    for (const char* level : {"-0", "-6"}) {
        SCOPED_TRACE(level);
        std::filesystem::remove(tmp.File("t.zip"));
        Sh("cd " + Quote(src) + "/three && zip -q " + level + " ../../t.zip a.DB b.DB c.DB");
        // Flip bytes in the middle of b.DB's data.
        Python(tmp.Path(), R"(import sys,zipfile
p=sys.argv[1]; d=bytearray(open(p,'rb').read())
i=zipfile.ZipFile(p).getinfo('b.DB'); o=i.header_offset+30+len(i.filename)+len(i.extra)
for k in range(40): d[o+i.compress_size//2+k]^=0x55
open(p,'wb').write(d))",
               Quote(tmp.File("t.zip")));
        std::filesystem::remove_all(dest);
        WriteBytes(dest + "/b.DB", "good old table");
        TUnZipper z;
        std::vector<int> badCrc;
        z.OnBadCRC = [&](TUnZipper*, std::uint32_t calc, std::uint32_t stored, int i) {
            EXPECT_NE(calc, stored);
            badCrc.push_back(i);
        };
        EXPECT_EQ(ExtractAll(z, tmp.File("t.zip")), 2);
        EXPECT_EQ(badCrc, std::vector<int>{1});
        EXPECT_EQ(ReadBytes(dest + "/b.DB"), "good old table");
        EXPECT_EQ(ReadBytes(dest + "/a.DB"), ReadBytes(src + "/three/a.DB"));
        EXPECT_EQ(ReadBytes(dest + "/c.DB"), ReadBytes(src + "/three/c.DB"));
        EXPECT_EQ(Tree(dest).size(), 3u);
    }
}

// Crafted damaged archives: the component's error, and the destination as it was.
TEST_F(ReaderTest, RefusesDamagedArchives) {
    const std::string craft = R"(import sys,struct,zipfile,io
out=sys.argv[1]
def base(extra=b''):
    b=io.BytesIO(); z=zipfile.ZipFile(b,'w')
    i=zipfile.ZipInfo('a.DB',(2019,3,15,10,30,0)); i.extra=extra; z.writestr(i,b'alpha'*100)
    z.writestr(zipfile.ZipInfo('b.DB',(2019,3,15,10,30,0)),b'beta'*100)
    z.close(); return bytearray(b.getvalue())
def eocd(d): return d.rfind(b'PK\x05\x06')
def cd(d): return struct.unpack_from('<I',d,eocd(d)+16)[0]
def put(name,d): open(out+'/'+name+'.zip','wb').write(bytes(d))
d=base(); put('truncated',d[:-30])
d=base(); d[eocd(d)+3]=0x07; put('eocdsig',d)
d=base(); e=eocd(d); struct.pack_into('<HH',d,e+8,3,3); put('counthigh',d)
d=base(); e=eocd(d); struct.pack_into('<HH',d,e+8,1,1); put('countlow',d)
d=base(); e=eocd(d); struct.pack_into('<I',d,e+16,cd(d)+500); put('cdoffset',d)
d=base(); e=eocd(d); struct.pack_into('<I',d,e+12,struct.unpack_from('<I',d,e+12)[0]+9); put('cdsize',d)
d=base(); struct.pack_into('<I',d,18,499); struct.pack_into('<I',d,22,499); put('localsize',d)
d=base(); d[14]^=1; put('localcrc',d)
d=base(); struct.pack_into('<H',d,8,8); put('localmethod',d)
d=base(); d[30]=ord('x'); put('localname',d)
d=base(); c=cd(d); d[c+46]=0; d[30]=0; put('nulname',d)
d=base(b'\x99\x99\x20\x00abcd'); put('extraoverrun',d)
d=base(); e=eocd(d); c=cd(d); size=struct.unpack_from('<I',d,e+12)[0]
z64=struct.pack('<IQHHIIQQQQ',0x06064b50,44,45,45,0,0,5,5,size,c)
loc=struct.pack('<IIQI',0x07064b50,0,e,1)
put('zip64disagrees',d[:e]+z64+loc+d[e:])
d=base(); put('trailing',d+b'garbage')
d=base(); c=cd(d); e=eocd(d); x=struct.pack('<HHQ',1,8,1<<63)
struct.pack_into('<I',d,c+24,0xFFFFFFFF); struct.pack_into('<H',d,c+30,len(x)); d[6]|=8; d[c+8]|=8; struct.pack_into('<I',d,e+12,struct.unpack_from('<I',d,e+12)[0]+len(x))
put('sizeover63bits',d[:c+46+4]+x+d[c+46+4:])
)";
    const std::string bad = tmp.File("bad");
    std::filesystem::create_directories(bad);
    Python(tmp.Path(), craft, Quote(bad));
    struct Expect {
        const char* name;
        bool incomplete;
    } cases[] = {{"truncated", true},       {"eocdsig", true},   {"counthigh", false},
                 {"countlow", false},       {"cdoffset", false}, {"cdsize", false},
                 {"localsize", false},      {"localcrc", false}, {"localmethod", false},
                 {"localname", false},      {"nulname", false},  {"extraoverrun", false},
                 {"zip64disagrees", false}, {"trailing", false}, {"sizeover63bits", false}};
    for (const Expect& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(dest);
        WriteBytes(dest + "/a.DB", "existing");
        TUnZipper z;
        try {
            ExtractAll(z, bad + "/" + c.name + ".zip");
            ADD_FAILURE() << "no error";
        } catch (const EIncompleteZip& e) {
            EXPECT_TRUE(c.incomplete);
            EXPECT_STREQ(e.what(), "Incomplete Zip File");
        } catch (const EBadZipFile& e) {
            EXPECT_FALSE(c.incomplete);
            EXPECT_STREQ(e.what(), "Not a valid zip file!");
        }
        EXPECT_EQ(Tree(dest), (std::map<std::string, std::string>{{"a.DB", "existing"}}));
    }
}

// Local headers of odd but readable archives: an entry of 4 GiB or more
// whose local sizes hold the escape (with and without their Zip64 block),
// and a directory rebuilt over a local size that leads back to its own
// header, which ends the walk instead of reading the header again.
TEST_F(ReaderTest, ReadsEscapedLocalSizes) {
    Python(tmp.Path(), R"(import sys,struct,zlib
out=sys.argv[1]; data=b'nagy tabla '*20; crc=zlib.crc32(data); name=b'nagy.DB'
def archive(fname,lx,cx,csize):
    local=struct.pack('<IHHHHHIIIHH',0x04034b50,45,0,0,0,0x4F21,crc,0xFFFFFFFF,0xFFFFFFFF,len(name),len(lx))+name+lx+data
    central=struct.pack('<IHHHHHHIIIHHHHHII',0x02014b50,50,45,0,0,0,0x4F21,crc,csize,csize,len(name),len(cx),0,0,0,0x20,0)+name+cx
    end=struct.pack('<IHHHHIIH',0x06054b50,0,0,1,1,len(central),len(local),0)
    open(out+'/'+fname,'wb').write(local+central+end)
both=struct.pack('<HHQQ',1,16,len(data),len(data))
archive('bare.zip',b'',both,0xFFFFFFFF)
archive('block.zip',both,b'',len(data))
good=b'good table'
a=struct.pack('<IHHHHHIIIHH',0x04034b50,20,0,0,0,0x4F21,zlib.crc32(good),len(good),len(good),4,0)+b'a.DB'+good
x=struct.pack('<HHQQ',1,16,5,(1<<64)-(30+4)-20)
b=struct.pack('<IHHHHHIIIHH',0x04034b50,45,0,0,0,0x4F21,0,0xFFFFFFFF,0xFFFFFFFF,4,len(x))+b'b.DB'+x+b'xxxxx'
open(out+'/loop.zip','wb').write(a+b)
# two entries declaring sizes whose sum passes 2^63 (sizes in a data descriptor)
x=struct.pack('<HHQ',1,8,0x6000000000000000); lh=b''; ch=b''
for n in (b'c.DB',b'd.DB'):
    off=len(lh)
    lh+=struct.pack('<IHHHHHIIIHH',0x04034b50,45,8,0,0,0x4F21,0,0,0,4,0)+n+good
    ch+=struct.pack('<IHHHHHHIIIHHHHHII',0x02014b50,50,45,8,0,0,0x4F21,zlib.crc32(good),len(good),0xFFFFFFFF,4,len(x),0,0,0,0x20,off)+n+x
open(out+'/huge.zip','wb').write(lh+ch+struct.pack('<IHHHHIIH',0x06054b50,0,0,2,2,len(ch),len(lh),0))
)",
           Quote(tmp.Path()));
    for (const char* name : {"bare.zip", "block.zip"}) {
        SCOPED_TRACE(name);
        std::filesystem::remove_all(dest);
        TUnZipper z;
        EXPECT_EQ(ExtractAll(z, tmp.File(name)), 1);
        EXPECT_EQ(ReadBytes(dest + "/nagy.DB").substr(0, 22), "nagy tabla nagy tabla ");
    }
    Sh("unzip -tq " + Quote(tmp.File("block.zip")));

    std::filesystem::remove_all(dest);
    TUnZipper z;
    z.IncompleteZipMode = izAssumeBad;
    std::vector<int> bad;
    z.OnBadCRC = [&](TUnZipper*, std::uint32_t, std::uint32_t, int i) { bad.push_back(i); };
    EXPECT_EQ(ExtractAll(z, tmp.File("loop.zip")), 1);
    EXPECT_EQ(z.Count(), 2);
    EXPECT_EQ(bad, std::vector<int>{1});
    EXPECT_EQ(Tree(dest), (std::map<std::string, std::string>{{"a.DB", "good table"}}));

    // Declared sizes far beyond the data: each entry fails, progress stays sane.
    bad.clear();
    int top = 0;
    z.OnTotalPercentDone = [&](TUnZipper*, int p) { top = std::max(top, p); };
    EXPECT_EQ(ExtractAll(z, tmp.File("huge.zip")), 0);
    EXPECT_EQ(bad, (std::vector<int>{0, 1}));
    EXPECT_LE(top, 100);
    EXPECT_EQ(Tree(dest).size(), 1u);
}

TEST_F(ReaderTest, IncompleteArchiveModes) {
    WriteBytes(tmp.File("x.zip"), "this is no archive at all, just text");
    TUnZipper z;
    z.SetDestDir(dest);
    z.DoAll = true;
    z.IncompleteZipMode = izAssumeNotAZip;
    z.SetZipName(tmp.File("x.zip"));
    EXPECT_THROW(z.ExtractFiles(), ENotAZipFile);
    // No end record, rebuilt from the local headers when asked to.
    Sh("cd " + Quote(src) + "/Tavrina/2019 && zip -q " + Quote(tmp.File("r.zip")) + " Cegek.DB");
    Python(tmp.Path(),
           "import "
           "sys\nd=open(sys.argv[1],'rb').read()\nopen(sys.argv[1],'wb').write(d[:d.rfind(b'PK\\x01\\x02')])",
           Quote(tmp.File("r.zip")));
    z.SetZipName(tmp.File("r.zip"));
    z.IncompleteZipMode = izAssumeMulti;
    EXPECT_THROW(z.ExtractFiles(), EIncompleteZip);
    z.SetZipName(tmp.File("r.zip"));
    z.OnInCompleteZip = [](TUnZipper*, TIncompleteZipMode& m) { m = izAssumeBad; };
    z.DoAll = true;
    EXPECT_EQ(z.ExtractFiles(), 1);
    EXPECT_EQ(ReadBytes(dest + "/Cegek.DB"), ReadBytes(src + "/Tavrina/2019/Cegek.DB"));
    // An empty file is an archive without entries.
    WriteBytes(tmp.File("empty.zip"), "");
    z.SetZipName(tmp.File("empty.zip"));
    z.ReadZip();
    EXPECT_EQ(z.Count(), 0);
    EXPECT_THROW(z.Filename(0), EListError);
}

// Names that climb out of the destination are refused; the others extract.
TEST_F(ReaderTest, RefusesTraversalNames) {
    Python(tmp.Path(), R"(import sys,zipfile
z=zipfile.ZipFile(sys.argv[1],'w')
for n in ['../../etc/x','..\\..\\y','..././z','/abs/w','C:/v','sub/../../u','ok/good.DB']:
    i=zipfile.ZipInfo('tmp'); i.filename=n; z.writestr(i,b'payload')
z.close())",
           Quote(tmp.File("t.zip")));
    const std::string inner = dest + "/in";
    for (bool recreate : {true, false}) {
        SCOPED_TRACE(recreate);
        std::filesystem::remove_all(dest);
        TUnZipper z;
        std::vector<std::string> refused;
        z.OnSkippingFile = [&](TUnZipper*, TSkipReason r, const std::string& n, int, bool&) {
            EXPECT_EQ(r, srUnsafePath);
            refused.push_back(n);
        };
        z.SetZipName(tmp.File("t.zip"));
        z.SetDestDir(inner);
        z.DoAll = true;
        z.RecreateDirs = recreate;
        z.OverwriteMode = Always;
        EXPECT_EQ(z.ExtractFiles(), 1);
        EXPECT_EQ(refused.size(), 6u);
        EXPECT_EQ(Tree(dest).size(), 1u);
        EXPECT_EQ(ReadBytes(inner + (recreate ? "/ok/good.DB" : "/good.DB")), "payload");
    }
    EXPECT_FALSE(std::filesystem::exists(tmp.Path() + "/etc/x"));
}

// An entry that inflates past its declared size is stopped and not written.
TEST_F(ReaderTest, EnforcesDeclaredSize) {
    Python(tmp.Path(), R"(import sys,zipfile,struct
p=sys.argv[1]
z=zipfile.ZipFile(p,'w',zipfile.ZIP_DEFLATED); z.writestr('big.DB',b'A'*200000); z.writestr('ok.DB',b'fine'); z.close()
d=bytearray(open(p,'rb').read())
c=d.find(b'PK\x01\x02')
struct.pack_into('<I',d,c+24,1000); struct.pack_into('<I',d,22,1000)
open(p,'wb').write(d))",
           Quote(tmp.File("b.zip")));
    WriteBytes(dest + "/big.DB", "kept");
    TUnZipper z;
    int bad = 0;
    z.OnBadCRC = [&](TUnZipper*, std::uint32_t, std::uint32_t, int) { ++bad; };
    EXPECT_EQ(ExtractAll(z, tmp.File("b.zip")), 1);
    EXPECT_EQ(bad, 1);
    EXPECT_EQ(ReadBytes(dest + "/big.DB"), "kept");
    EXPECT_EQ(ReadBytes(dest + "/ok.DB"), "fine");
}

TEST_F(ReaderTest, CancelAndPasswords) {
    Sh("cd " + Quote(src) + "/Tavrina/2019 && zip -q -P jo " + Quote(tmp.File("e.zip")) +
       " Cegek.DB Dolgozo_001.DB");
    TUnZipper z;
    std::vector<TSkipReason> skipped;
    z.OnSkippingFile = [&](TUnZipper*, TSkipReason r, const std::string&, int, bool&) {
        skipped.push_back(r);
    };
    z.Password = "rossz";
    EXPECT_EQ(ExtractAll(z, tmp.File("e.zip")), 0);
    EXPECT_EQ(skipped, (std::vector<TSkipReason>{srBadPassword, srBadPassword}));
    // A handler that supplies the right password.
    z.OnBadPassword = [](TUnZipper*, int, std::string& p) { p = "jo"; };
    EXPECT_EQ(ExtractAll(z, tmp.File("e.zip")), 2);
    // Cancel from a progress handler ends the run with its exception; the
    // entry being written leaves nothing behind.
    std::filesystem::remove_all(dest);
    z.OnFilePercentDone = [](TUnZipper* s, int) { s->Cancel = true; };
    try {
        ExtractAll(z, tmp.File("e.zip"));
        ADD_FAILURE();
    } catch (const EUserCanceled& e) {
        EXPECT_STREQ(e.what(), "User Aborted Operation");
    }
    EXPECT_TRUE(Tree(dest).size() <= 1u);
    for (const auto& [name, data] : Tree(dest)) EXPECT_EQ(name.substr(0, 3), "Ceg");
}

// A set spanned over three disks of a removable volume, each labelled by its
// number: the reader asks for the disks it needs and checks their labels.
TEST_F(ReaderTest, ReadsSpannedDisksWithLabels) {
    Sh("cd " + Quote(src) + " && zip -q -0 -s 64k -r ../set.zip Tavrina");
    const std::string mount = tmp.File("floppy");
    os::SimulatedVolume vol(mount, 1457664);
    std::vector<std::string> parts;
    for (int d = 1; std::filesystem::exists(tmp.File("set.z0" + std::to_string(d))); ++d)
        parts.push_back("set.z0" + std::to_string(d));
    parts.push_back("set.zip");
    ASSERT_GE(parts.size(), 3u);
    const int last = static_cast<int>(parts.size());
    for (int d = 1; d <= last; ++d) {
        vol.InsertDisk(d);
        std::filesystem::copy_file(tmp.File(parts[static_cast<size_t>(d - 1)]), mount + "/set.zip");
        os::SetVolumeLabel(mount, d == 2 ? "WRONG" : "PKBACK# 00" + std::to_string(d));
    }
    TUnZipper z;
    std::vector<int> asked;
    int wrongTries = 0;
    z.OnGetNextDisk = [&](TUnZipper*, int n, std::string&) {
        asked.push_back(n);
        vol.InsertDisk(n);
        // The user notices the wrong disk only the second time.
        if (n == 2 && vol.Label() == "WRONG" && wrongTries++ > 0) os::SetVolumeLabel(mount, "PKBACK# 002");
    };
    ExtractAll(z, mount + "/set.zip");
    EXPECT_EQ(z.MultiMode(), mmSpan);
    EXPECT_EQ(Tree(dest), Tree(src));
    EXPECT_EQ(asked.front(), 1);
    EXPECT_EQ(wrongTries, 2);  // disk 2 was asked for again after its label was wrong
    // Cancel at a disk prompt.
    z.OnGetNextDisk = [](TUnZipper*, int, std::string& name) { name.clear(); };
    vol.InsertDisk(last);
    try {
        ExtractAll(z, mount + "/set.zip");
        ADD_FAILURE();
    } catch (const EUserCanceled& e) {
        EXPECT_STREQ(e.what(), "User canceled loading new disk.");
    }
    // Without a handler the component asks through its message hook.
    z.OnGetNextDisk = nullptr;
    std::vector<std::string> boxes;
    z.OnHandleMessage = [&](TUnZipper*, int id, const std::string& m1, const std::string& m2, int flags,
                            int& ret) {
        boxes.push_back(std::to_string(id) + "|" + m1 + "|" + m2 + "|" + std::to_string(flags));
        ret = idCancel;
    };
    vol.InsertDisk(last);
    EXPECT_THROW(ExtractAll(z, mount + "/set.zip"), EUserCanceled);
    EXPECT_EQ(boxes, std::vector<std::string>{"184|Please insert disk 1 of the multi-disk set.||1"});
}

// A method this reader does not decode: its box, and the entry is not written.
TEST_F(ReaderTest, UnknownMethod) {
    Sh("cd " + Quote(src) + "/Tavrina/2019 && zip -q " + Quote(tmp.File("m.zip")) +
       " Cegek.DB Dolgozo_001.DB");
    Python(tmp.Path(), R"(import sys,struct,zipfile
p=sys.argv[1]; d=bytearray(open(p,'rb').read()); i=zipfile.ZipFile(p).getinfo('Cegek.DB')
struct.pack_into('<H',d,i.header_offset+8,9); struct.pack_into('<H',d,d.find(b'PK\x01\x02')+10,9)
open(p,'wb').write(d))",
           Quote(tmp.File("m.zip")));
    WriteBytes(dest + "/Cegek.DB", "kept");
    TUnZipper z;
    std::vector<std::string> boxes;
    z.OnHandleMessage = [&](TUnZipper*, int id, const std::string& m1, const std::string& m2, int flags,
                            int& ret) {
        boxes.push_back(std::to_string(id) + "|" + m1 + "|" + m2 + "|" + std::to_string(flags));
        ret = idOK;
    };
    int bad = 0;
    z.OnBadCRC = [&](TUnZipper*, std::uint32_t, std::uint32_t, int) { ++bad; };
    EXPECT_EQ(ExtractAll(z, tmp.File("m.zip")), 1);
    EXPECT_EQ(boxes, std::vector<std::string>{"197|Unknown Compression Method|Zip Error|0"});
    EXPECT_EQ(bad, 1);
    EXPECT_EQ(ReadBytes(dest + "/Cegek.DB"), "kept");
    EXPECT_EQ(ReadBytes(dest + "/Dolgozo_001.DB"), ReadBytes(src + "/Tavrina/2019/Dolgozo_001.DB"));
}

}  // namespace

namespace {

// Headers of an entry of 4 GiB or more: the Zip64 block in the central header
// only, and a value just below the escape needs none.
TEST(ZipRecords, Zip64BlockOfTheCentralHeader) {
    os::TempDir tmp("ziprec");
    TZipHeaderInfo h;
    h.SetFileName("nagy.DB");
    h.SetUncompressedSize(0x100000000ull);
    h.SetCompressedSize(1000);
    {
        TLFNFileStream s(tmp.File("h"), TLFNFileStream::fmCreate);
        ASSERT_TRUE(h.WriteLocalHeader(s));
        ASSERT_TRUE(h.WriteCentralHeader(s));
    }
    const std::string b = ReadBytes(tmp.File("h"));
    const size_t c = 30 + 7;
    EXPECT_EQ(static_cast<unsigned char>(b[28]), 0);                         // no local extra
    EXPECT_EQ(b.substr(22, 4), std::string(4, '\xFF'));                      // local escape
    EXPECT_EQ(static_cast<unsigned char>(b[c + 6]), 45);                     // version needed
    EXPECT_EQ(static_cast<unsigned char>(b[c + 30]), 12);                    // extra length
    EXPECT_EQ(b.substr(c + 46 + 7, 4), std::string("\x01\x00\x08\x00", 4));  // tag 1, 8 bytes
    TZipHeaderInfo r;
    TLFNFileStream s(tmp.File("h"), TLFNFileStream::fmOpenRead);
    s.Seek(static_cast<std::int64_t>(c));
    ASSERT_EQ(r.ReadCentralHeader(s), THeaderRead::Ok);
    EXPECT_EQ(r.UncompressedSize(), 0x100000000ull);
    EXPECT_EQ(r.CompressedSize(), 1000u);

    // An entry that may reach 4 GiB also gets both sizes in its local header.
    TZipHeaderInfo maybe;
    maybe.SetFileName("x");
    maybe.LocalZip64 = true;
    maybe.SetUncompressedSize(0xFFFFFF00ull);
    maybe.SetCompressedSize(77);
    {
        TLFNFileStream o(tmp.File("l"), TLFNFileStream::fmCreate);
        ASSERT_TRUE(maybe.WriteLocalHeader(o));
    }
    const std::string l = ReadBytes(tmp.File("l"));
    ASSERT_EQ(l.size(), 30u + 1 + 20);
    EXPECT_EQ(static_cast<unsigned char>(l[4]), 45);
    EXPECT_EQ(l.substr(18, 8), std::string(8, '\xFF'));
    EXPECT_EQ(l.substr(31, 12), std::string("\x01\x00\x10\x00\x00\xFF\xFF\xFF\x00\x00\x00\x00", 12));
    EXPECT_EQ(l.substr(43, 8), std::string("\x4D\0\0\0\0\0\0\0", 8));

    TZipHeaderInfo below;
    below.SetFileName("x");
    below.SetRelativeOffset(0xFFFFFFFEull);
    TLFNFileStream o(tmp.File("b"), TLFNFileStream::fmCreate);
    ASSERT_TRUE(below.WriteCentralHeader(o));
    EXPECT_EQ(below.CentralExtraLength, 0);
    EXPECT_EQ(below.VersionNeeded, 20);
}

// Errors that end an extraction: a part of a set that is missing, and an
// extracted file that cannot be written (the file size limit stands in for
// a full disk).
TEST_F(ReaderTest, MissingPartAndFullDisk) {
    Sh("cd " + Quote(src) + " && zip -q -0 -s 64k -r ../set.zip Tavrina");
    std::filesystem::remove(tmp.File("set.z02"));
    TUnZipper z;
    try {
        ExtractAll(z, tmp.File("set.zip"));
        ADD_FAILURE();
    } catch (const EFatalUnzipError& e) {
        EXPECT_STREQ(e.what(), "Premature end of file reached");
    }
    Sh("cd " + Quote(src) + " && zip -q -r ../a.zip Tavrina");
    signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{100000, old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    std::filesystem::remove_all(dest);
    TUnZipper w;
    try {
        ExtractAll(w, tmp.File("a.zip"));
        ADD_FAILURE();
    } catch (const ECantWriteUCF& e) {
        EXPECT_STREQ(e.what(), "Cant write uncompressed file");
    }
    setrlimit(RLIMIT_FSIZE, &old);
    for (const auto& [name, bytes] : Tree(dest)) EXPECT_NE(ExtractName(name).substr(0, 3), "QJZ");
}

}  // namespace

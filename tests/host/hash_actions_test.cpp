// File and string hashes as the host sees them, on real files. Random
// files of awkward sizes are compared with Python's hashlib and zlib by
// reference_test.py.
#include <windows.h>

#include <cstring>
#include <vector>

#include "host_fixture.h"
#include "unique_resource.h"

namespace kvtest {
namespace {

constexpr int32_t kFileHash = 52;
constexpr int32_t kStringHash = 53;

class HashTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        Start();
        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        folder_ = std::string(temp) + "kelvane-hash-" + std::to_string(GetCurrentProcessId()) +
                  "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr) ||
                    GetLastError() == ERROR_ALREADY_EXISTS);
    }
    void TearDown() override {
        for (const std::string& path : files_) {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
        RemoveDirectoryA(folder_.c_str());
        HostTest::TearDown();
    }

    std::string MakeFile(const std::string& name, const std::string& bytes) {
        const std::string path = folder_ + "\\" + name;
        kv::win::UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_TRUE(file);
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                              nullptr));
        files_.push_back(path);
        return path;
    }
    static std::string Words(std::initializer_list<uint32_t> words) {
        std::string bytes(words.size() * 4, '\0');
        std::memcpy(bytes.data(), words.begin(), bytes.size());
        return bytes;
    }

    // Runs the file action into "[h]", which starts out as "old".
    bool FileHash(const std::string& path, const std::string& kind) {
        host_->Vars().Set("[h]", "old");
        const bool result = host_->ExecAction(kFileHash, {path, "[h]", kind});
        ExpectCleanCall(__LINE__);
        return result;
    }
    std::string FileHashText(const std::string& path, const std::string& kind) {
        EXPECT_TRUE(FileHash(path, kind)) << kind;
        return host_->Vars().Get("[h]");
    }
    std::string StringHash(const std::string& text, const std::string& kind,
                           const std::string& form = "") {
        host_->Vars().Set("[h]", "old");
        EXPECT_TRUE(host_->ExecAction(kStringHash, {text, "[h]", kind, form}));
        return host_->Vars().Get("[h]");
    }
    std::string LastError() { return host_->Vars().Get("[LastError]"); }

    std::string folder_;
    std::vector<std::string> files_;
};

TEST_F(HashTest, FileKindsGiveThePublishedDigestsInAnyCase) {
    const std::string abc = MakeFile("abc.txt", "abc");
    EXPECT_EQ(FileHashText(abc, "MD5"), "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(FileHashText(abc, "sha1"), "A9993E364706816ABA3E25717850C26C9CD0D89D");
    EXPECT_EQ(FileHashText(abc, "Crc32"), "352441C2");
    const std::string empty = MakeFile("empty", "");
    EXPECT_EQ(FileHashText(empty, "md5"), "D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(FileHashText(empty, "SHA1"), "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709");
    EXPECT_EQ(FileHashText(empty, "CRC32"), "00000000");
    EXPECT_TRUE(host_->CallsOf("SetVar").size() == 6);
}

TEST_F(HashTest, WordSumTakesAtMost500WordsFromTheMiddle) {
    EXPECT_EQ(FileHashText(MakeFile("16", Words({1, 2, 0xFFFFFFFF, 4})), "CRC"), "4294967295");
    EXPECT_EQ(FileHashText(MakeFile("4", Words({7})), "crc"), "0");
    EXPECT_EQ(FileHashText(MakeFile("11", std::string(11, '\x01')), "CRC"), "0");
    // Words numbered from 1: a file of N words sums words N/2 .. at most 500 of them.
    const auto numbered = [](uint32_t n, size_t extra) {
        std::string bytes;
        for (uint32_t i = 0; i < n; ++i) bytes += Words({i});
        return bytes + std::string(extra, '\xEE');
    };
    const auto sum = [](uint32_t from, uint32_t count) {
        uint64_t s = 0;
        for (uint32_t i = from; i < from + count; ++i) s += i;
        return std::to_string(static_cast<uint32_t>(s));
    };
    EXPECT_EQ(FileHashText(MakeFile("1001", numbered(1001, 3)), "CRC"), sum(500, 500));
    EXPECT_EQ(FileHashText(MakeFile("1000", numbered(1000, 0)), "CRC"), sum(500, 499));
    EXPECT_EQ(FileHashText(MakeFile("big", numbered(100000, 2)), "CRC"), sum(50000, 500));
}

TEST_F(HashTest, ReadFailuresAreReportedAndLeaveTheVariableAlone) {
    const std::string tiny = MakeFile("tiny", "abc");
    EXPECT_FALSE(FileHash(tiny, "CRC"));
    EXPECT_EQ(LastError(), "Read beyond end of file");
    EXPECT_EQ(host_->Vars().Get("[h]"), "old");

    // Another program holds the file open for writing.
    const std::string locked = MakeFile("locked", "data");
    kv::win::UniqueFileHandle writer(CreateFileA(locked.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                                 nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer);
    host_->Vars().Set("[LastError]", "");
    EXPECT_FALSE(FileHash(locked, "MD5"));
    const std::string prefix = "Cannot open file \"" + locked + "\". ";
    EXPECT_EQ(LastError().substr(0, prefix.size()), prefix);
    EXPECT_GT(LastError().size(), prefix.size());  // the system's reason follows
    for (const char* kind : {"CRC32", "SHA1", "CRC"}) {
        host_->Vars().Set("[LastError]", "");
        EXPECT_FALSE(FileHash(locked, kind)) << kind;
        EXPECT_EQ(LastError(), "File access denied") << kind;
        EXPECT_EQ(host_->Vars().Get("[h]"), "old");
    }
}

TEST_F(HashTest, ReadOnlyAndSharedFilesHashTheSameAtAnyTime) {
    const std::string path = MakeFile("ro", "abc");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(FileHashText(path, "CRC32"), "352441C2");  // before any other kind ran
    EXPECT_EQ(FileHashText(path, "SHA1"), "A9993E364706816ABA3E25717850C26C9CD0D89D");
    EXPECT_EQ(FileHashText(path, "CRC32"), "352441C2");
    // Another reader does not stop any kind.
    kv::win::UniqueFileHandle reader(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                 nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(reader);
    EXPECT_EQ(FileHashText(path, "MD5"), "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(FileHashText(path, "CRC32"), "352441C2");
}

TEST_F(HashTest, NothingHappensWithoutAFileVariableOrKnownKind) {
    const std::string abc = MakeFile("abc", "abc");
    host_->calls().clear();
    EXPECT_TRUE(FileHash(folder_, "MD5"));
    EXPECT_TRUE(FileHash(folder_ + "\\missing", "MD5"));
    EXPECT_TRUE(FileHash("", "MD5"));
    EXPECT_TRUE(FileHash(abc, "SHA-1"));
    EXPECT_TRUE(FileHash(abc, ""));
    EXPECT_TRUE(host_->ExecAction(kFileHash, {abc, "", "MD5"}));
    EXPECT_TRUE(host_->CallsOf("SetVar").empty());
    EXPECT_EQ(host_->Vars().Get("[h]"), "old");
}

TEST_F(HashTest, StringKindsAndForms) {
    EXPECT_EQ(StringHash("abc", "MD5"), "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(StringHash("abc", "md5", "Int"), "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(StringHash("abc", "CRC32"), "352441C2");
    EXPECT_EQ(StringHash("abc", "crc32", "int"), "891568578");
    EXPECT_EQ(StringHash("\xFF\xFF\xFF\xFF", "CRC32", "Int"), "4294967295");
    EXPECT_EQ(StringHash("123456789", "CRC32", "Hex"), "CBF43926");
    EXPECT_EQ(StringHash("abc", "CRC32", "Int "), "352441C2");
    for (const char* kind : {"CRC", "SHA1", ""}) EXPECT_EQ(StringHash("abc", kind), "old") << kind;
    EXPECT_EQ(StringHash("", "MD5"), "old");
    host_->calls().clear();
    EXPECT_TRUE(host_->ExecAction(kStringHash, {"abc", "", "MD5", ""}));
    EXPECT_TRUE(host_->CallsOf("SetVar").empty());
}

}  // namespace
}  // namespace kvtest

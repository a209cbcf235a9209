#include "platform/text/text.h"
#include "tests/support/temp_device.h"

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;
using namespace platform::files;
using namespace testing_support;

namespace {

std::vector<FindData> find_all(const std::u16string& pattern)
{
    std::vector<FindData> out;
    FindData data;
    FindHandle finder = find_first(pattern, &data);
    if (finder == nullptr)
        return out;
    do
        out.push_back(data);
    while (find_next(finder, &data));
    EXPECT_FALSE(find_next(finder, &data));
    find_close(finder);
    return out;
}

std::vector<std::string> names(const std::vector<FindData>& found)
{
    std::vector<std::string> out;
    for (const FindData& f : found)
        out.push_back(platform::text::to_utf8(f.name));
    return out;
}

using Names = std::vector<std::string>;

}  // namespace

class FindTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        for (const char* name : {"lot7.dat", "Lot8.DAT", "zeta.txt", "README", "b.dat.bak"})
            write_host_file(m_root + "/My Documents/" + name, name);
        fs::create_directory(m_root + "/My Documents/Jobs");
    }
};

TEST_F(FindTest, StarDotStarListsEverythingInNameOrder)
{
    EXPECT_EQ(names(find_all(u"\\My Documents\\*.*")),
        (Names {"b.dat.bak", "Jobs", "lot7.dat", "Lot8.DAT", "README", "zeta.txt"}));
    EXPECT_EQ(names(find_all(u"\\my documents\\*")), names(find_all(u"\\My Documents\\*.*")));
}

TEST_F(FindTest, WildcardsMatchWithoutCase)
{
    EXPECT_EQ(names(find_all(u"\\My Documents\\*.dat")), (Names {"lot7.dat", "Lot8.DAT"}));
    EXPECT_EQ(names(find_all(u"\\My Documents\\LOT?.dat")), (Names {"lot7.dat", "Lot8.DAT"}));
    EXPECT_EQ(names(find_all(u"\\My Documents\\readme.*")), (Names {"README"}));
    EXPECT_EQ(names(find_all(u"\\My Documents\\*a*.*t")), (Names {"zeta.txt"}));  // needs an 'a' before a dot
    EXPECT_EQ(names(find_all(u"\\My Documents\\*.*A*")), (Names {"b.dat.bak", "lot7.dat", "Lot8.DAT"}));
    EXPECT_EQ(names(find_all(u"\\My Documents\\zeta.TXT")), (Names {"zeta.txt"}));
    EXPECT_TRUE(find_all(u"\\My Documents\\*.xyz").empty());
    EXPECT_TRUE(find_all(u"\\No Folder\\*.*").empty());
}

TEST_F(FindTest, AttributesAndSizes)
{
    fs::permissions(m_root + "/My Documents/zeta.txt", fs::perms::owner_read);
    for (const FindData& f : find_all(u"\\My Documents\\*.*")) {
        std::string name = platform::text::to_utf8(f.name);
        EXPECT_NE(name, ".");
        EXPECT_NE(name, "..");
        if (name == "Jobs") {
            EXPECT_EQ(f.attributes, kAttrDirectory);
        } else if (name == "zeta.txt") {
            EXPECT_EQ(f.attributes, kAttrReadOnly);
            EXPECT_EQ(f.size, 8u);
        } else {
            EXPECT_EQ(f.attributes, kAttrNormal) << name;
            EXPECT_EQ(f.size, name.size());
        }
    }
}

TEST_F(FindTest, RootListsTheStorageCardOnce)
{
    fs::create_directory(m_root + "/storage card");  // hidden behind the mount
    std::vector<FindData> found = find_all(u"\\*.*");
    EXPECT_EQ(names(found), (Names {"My Documents", "Program Files", "Storage Card", "Temp", "Windows"}));
    EXPECT_EQ(found[2].attributes, kAttrDirectory | kAttrTemporary);
    EXPECT_EQ(names(find_all(u"\\Stor*")), (Names {"Storage Card"}));
}

TEST_F(FindTest, StorageCardListsTheCardFolder)
{
    write_host_file(m_card + "/host.dat", "h");
    fs::create_directory(m_card + "/Sub");
    EXPECT_EQ(names(find_all(u"\\Storage Card\\*.*")), (Names {"host.dat", "Sub"}));
    EXPECT_EQ(names(find_all(u"\\STORAGE CARD\\*.DAT")), (Names {"host.dat"}));
}

TEST_F(FindTest, EmptyPatternFindsNothing)
{
    FindData data;
    EXPECT_EQ(find_first(u"", &data), nullptr);
    EXPECT_EQ(find_first(u"\\", &data), nullptr);
    EXPECT_FALSE(find_next(nullptr, &data));
    find_close(nullptr);
}

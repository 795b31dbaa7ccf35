// Checks written index files with an independent reader: the Perl xBase
// modules (Debian package libdbd-xbase-perl) walk the tag "DATE" in key order.

#include "store/engine/CompoundIndexFile.h"
#include "store/engine/CompoundIndexFixtures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace dayvell::engine;
using dayvell::engine::testing::ScratchFolder;
using dayvell::engine::testing::dailyEntries;
using dayvell::engine::testing::dateTag;

namespace {

constexpr const char* kWalkTagScript = R"perl(
use strict;
use warnings;
use XBase;
use XBase::Index;
my ($dbf, $cdx, $tag) = @ARGV;
my $table = XBase->new($dbf) or die XBase->errstr;
my $index = XBase::Index->new($cdx, 'dbf' => $table, 'tag' => $tag) or die XBase::Index->errstr;
$index->prepare_select;
while (my ($key, $recno) = $index->fetch) {
    print "[$key] $recno\n";
}
)perl";

// A table of one character field DATE of 8 bytes holding `keys` (record 1 first).
void writeDateTable(const std::filesystem::path& file, const std::vector<std::string>& keys) {
    std::string header(32, '\0');
    header[0] = 0x03;
    header[1] = 124;
    header[2] = 12;
    header[3] = 11;
    for (int i = 0; i < 4; ++i) header[4 + i] = static_cast<char>((keys.size() >> (8 * i)) & 0xFF);
    header[8] = 65;  // 32 + one 32-byte field + terminator
    header[10] = 9;  // deletion flag + DATE
    std::string field(32, '\0');
    field.replace(0, 4, "DATE");
    field[11] = 'C';
    field[16] = 8;

    std::ofstream out(file, std::ios::binary);
    out << header << field << '\x0D';
    for (const std::string& key : keys) out << (key == "        " ? '*' : ' ') << key;
    out << '\x1A';
}

std::string run(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) return {};
    std::string output;
    char buffer[4096];
    while (const std::size_t read = std::fread(buffer, 1, sizeof buffer, pipe.get())) output.append(buffer, read);
    return output;
}

constexpr const char* kListTagsScript = R"perl(
use strict;
use warnings;
use XBase::Index;
my ($cdx, @tags) = @ARGV;
for my $tag (@tags) {
    my $index = XBase::Index->new($cdx, 'tag' => $tag, 'type' => 'C') or die XBase::Index->errstr;
    $index->prepare_select;
    my @keys;
    while (my ($key, $recno) = $index->fetch) { push @keys, "$key:$recno"; }
    print "$tag @keys\n";
}
)perl";

bool xbaseReaderInstalled() { return std::system("perl -MXBase -MXBase::Index -e 1 2>/dev/null") == 0; }

std::string rightTrimmed(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

TEST(CompoundIndexXBaseReader, WalksTheDateTagInKeyOrder) {
    if (!xbaseReaderInstalled())
        GTEST_SKIP() << "Perl module XBase::Index not installed (package libdbd-xbase-perl)";

    // A hundred years of entries; some deleted (blanked), one date twice.
    std::vector<std::string> keys;
    for (const IndexEntry& entry : dailyEntries(36500)) keys.push_back(entry.key);
    for (std::size_t recno : {5u, 17u, 1000u, 36500u}) keys[recno - 1] = "        ";
    keys[20000] = keys[19999];

    std::vector<IndexEntry> entries;
    for (std::size_t i = 0; i < keys.size(); ++i) entries.push_back({keys[i], static_cast<std::uint32_t>(i + 1)});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const IndexEntry& a, const IndexEntry& b) { return a.key < b.key; });

    IndexTag before = dateTag({{"19900101", 1}});
    before.definition.name = "ADATE";
    IndexTag after = dateTag({});
    after.definition.name = "ZTAG";

    ScratchFolder folder;
    writeDateTable(folder / "DAYVELL.DBF", keys);
    writeCompoundIndex(folder / "DAYVELL.CDX", {before, dateTag(entries), after});
    std::ofstream(folder / "walk_tag.pl") << kWalkTagScript;

    std::ostringstream expected;
    for (const IndexEntry& entry : entries) expected << '[' << rightTrimmed(entry.key) << "] " << entry.recno << '\n';
    const std::string output = run("perl '" + (folder / "walk_tag.pl").string() + "' '" +
                                   (folder / "DAYVELL.DBF").string() + "' '" + (folder / "DAYVELL.CDX").string() +
                                   "' DATE 2>&1");
    EXPECT_EQ(output, expected.str());
}

// So many tags that the tag directory itself needs interior nodes.
TEST(CompoundIndexXBaseReader, FindsTagsThroughALargeTagDirectory) {
    if (!xbaseReaderInstalled()) GTEST_SKIP() << "Perl module XBase::Index not installed (package libdbd-xbase-perl)";

    std::vector<IndexTag> tags;
    for (int i = 0; i < 120; ++i) {
        IndexTag tag = dateTag({});
        tag.definition.name = "T" + std::to_string(1000 + i);
        for (std::uint32_t recno = 1; recno <= static_cast<std::uint32_t>(i % 4); ++recno)
            tag.entries.push_back({"2000010" + std::to_string(recno), recno});
        tags.push_back(tag);
    }
    ScratchFolder folder;
    writeCompoundIndex(folder / "MANY.CDX", tags);
    std::ofstream(folder / "list_tags.pl") << kListTagsScript;

    const std::string output = run("perl '" + (folder / "list_tags.pl").string() + "' '" +
                                   (folder / "MANY.CDX").string() + "' T1000 T1057 T1119 2>&1");
    EXPECT_EQ(output, "T1000 \nT1057 20000101:1\nT1119 20000101:1 20000102:2 20000103:3\n");
}

}  // namespace

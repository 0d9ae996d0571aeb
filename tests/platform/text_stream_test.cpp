// Text streams over real files: lines are bytes, and only LF (with a CR just
// before it) ends one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/rt_error.h"
#include "support/temp_folder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

std::vector<std::string> ReadAllLines(const fs::path& path) {
  auto stream = RealFileSystem().OpenTextFile(path, IOMode::kForReading, false);
  std::vector<std::string> lines;
  while (!stream->AtEndOfStream()) lines.push_back(stream->ReadLine());
  stream->Close();
  return lines;
}

TEST(TextStream, SplitsLinesOnlyAtLineFeeds) {
  using Lines = std::vector<std::string>;
  const struct {
    const char* name;
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"empty file", "", {}},
      {"CR LF ends", "a\r\nb\r\n", {"a", "b"}},
      {"LF ends", "a\nb\n", {"a", "b"}},
      {"no final terminator", "a\r\nb", {"a", "b"}},
      {"lone CR stays in the line", "a\rb\r\n", {"a\rb"}},
      {"CR before CR LF stays", "a\r\r\n", {"a\r"}},
      {"empty lines", "\r\n\n\r\n", {"", "", ""}},
      {"NUL and high bytes", std::string("x\0y\x80\xff\r\n", 7), {std::string("x\0y\x80\xff", 5)}},
      {"trailing lone CR", "a\r", {"a\r"}},
  };
  TempFolder folder;
  for (const auto& c : cases) {
    WriteBytes(folder / "f.ini", c.bytes);
    EXPECT_EQ(ReadAllLines(folder / "f.ini"), c.lines) << c.name;
  }
}

TEST(TextStream, ReadsAndWritesATenMegabyteLine) {
  TempFolder folder;
  std::string big(10 * 1024 * 1024, 'p');
  big[12345] = '\r';
  WriteBytes(folder / "big.ini", "head\r\n" + big + "\r\ntail");
  auto lines = ReadAllLines(folder / "big.ini");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], big);

  auto out = RealFileSystem().OpenTextFile(folder / "copy.ini", IOMode::kForWriting, true);
  for (const auto& line : lines) out->WriteLine(line);
  out->Commit();
  out->Close();
  EXPECT_EQ(ReadBytes(folder / "copy.ini"), "head\r\n" + big + "\r\ntail\r\n");
}

// The streams read in 256 KiB blocks; a terminator may fall across the edge
// of one, with its CR at the end of a block and its LF at the start of the
// next.
TEST(TextStream, LinesAroundTheBlockSizeLoseTheirWholeTerminator) {
  constexpr std::size_t kBlock = 256 * 1024;
  TempFolder folder;
  for (const std::string terminator : {"\r\n", "\n"}) {
    for (std::size_t length = kBlock - 3; length <= kBlock + 2; ++length) {
      const std::string line(length, 'p');
      WriteBytes(folder / "f.ini", line + terminator + "next" + terminator);
      const auto lines = ReadAllLines(folder / "f.ini");
      ASSERT_EQ(lines.size(), 2u) << length;
      EXPECT_EQ(lines[0].size(), length) << length << (terminator.size() == 2 ? " CR LF" : " LF");
      EXPECT_EQ(lines[1], "next") << length;
    }
  }
}

TEST(TextStream, ReadingPastTheEndIsError62) {
  TempFolder folder;
  WriteBytes(folder / "f.ini", "only\n");
  auto stream = RealFileSystem().OpenTextFile(folder / "f.ini", IOMode::kForReading, false);
  EXPECT_EQ(stream->ReadLine(), "only");
  EXPECT_TRUE(stream->AtEndOfStream());
  std::string line = "kept";
  try {
    stream->ReadLineInto(line);
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), kPastEndOfFile);
  }
  EXPECT_EQ(line, "kept");
}

TEST(TextStream, AReusedLineBufferHoldsOnlyTheNewLine) {
  TempFolder folder;
  WriteBytes(folder / "f.ini", "a much longer first line\r\nb\r\n\r\nsplit");
  auto stream = RealFileSystem().OpenTextFile(folder / "f.ini", IOMode::kForReading, false);
  std::string line;
  for (const char* expected : {"a much longer first line", "b", "", "split"}) {
    stream->ReadLineInto(line);
    EXPECT_EQ(line, expected);
  }
}

TEST(TextStream, OpenModesCreateAndTruncateAsAsked) {
  TempFolder folder;
  auto& files = RealFileSystem();
  try {
    files.OpenTextFile(folder / "missing.ini", IOMode::kForReading, false);
    FAIL() << "opened a missing file";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), kFileNotFound);
  }
  EXPECT_FALSE(files.FileExists(folder / "missing.ini"));

  files.OpenTextFile(folder / "made.ini", IOMode::kForReading, true)->Close();
  EXPECT_TRUE(files.FileExists(folder / "made.ini"));
  EXPECT_EQ(ReadBytes(folder / "made.ini"), "");

  WriteBytes(folder / "old.ini", "old content\r\n");
  auto out = files.OpenTextFile(folder / "old.ini", IOMode::kForWriting, true);
  out->WriteLine("new");
  out->Close();
  EXPECT_EQ(ReadBytes(folder / "old.ini"), "new\r\n");
}

}  // namespace
}  // namespace platform

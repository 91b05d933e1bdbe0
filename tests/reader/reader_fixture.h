// Helpers for reader tests: example texts with their blanks spelled out, and a converter on
// the in-memory host whose reader parses a top file.
#ifndef KALVEX_TESTS_READER_READER_FIXTURE_H
#define KALVEX_TESTS_READER_READER_FIXTURE_H

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "project_converter.h"
#include "support/file_lists.h"
#include "support/virtual_host.h"

namespace kalvex::testing {

// What only tests see of a reader: its tables.
struct ReaderInternals {
  static const MacroTable& macros(const GpjReader& reader) { return reader.macros_; }
  static const MacroTable& writtenMacros(const GpjReader& reader) { return reader.writtenMacros_; }
  static const std::vector<std::string>& sourceDirs(const GpjReader& reader) { return reader.sourceDirs_.entries(); }
  static const std::vector<std::string>& includeSearchDirs(const GpjReader& reader) {
    return reader.includeSearchDirs_.entries();
  }
};

// Replaces every "[TAB]" by a tab and every "[SP]" by a space.
std::string spelled(const std::string& text);

// The spelled lines, each ended by CR LF.
std::string gpjFile(std::initializer_list<std::string> lines);

// Links the converter's reader to its root group, its host and its compiler includes.
void linkReader(ProjectConverter& converter);

// A converter on the in-memory host, reading the top file C:\w\top.gpj.
class ReaderTest : public ::testing::Test {
 protected:
  // Creates the converter for the top file, as the entry would.
  ProjectConverter& prepare(const std::string& topPath = "C:\\w\\top.gpj");
  // Links the reader to the root group and parses the top file; an AsciiReaderError leaves.
  void readProject(const std::string& topPath = "C:\\w\\top.gpj", const std::vector<std::string>& extensions = {});
  // readProject, expecting the reader to fail with code; returns currentPath.
  std::string failingRead(int code, const std::string& topPath = "C:\\w\\top.gpj");
  std::string tree() { return dumpTree(converter->rootGroup()); }
  GpjReader& reader() { return converter->reader(); }

  VirtualHost host;
  std::ostringstream log;
  std::unique_ptr<ProjectConverter> converter;
};

}  // namespace kalvex::testing

#endif

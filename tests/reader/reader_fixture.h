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

// Replaces every "[TAB]" by a tab and every "[SP]" by a space.
std::string spelled(const std::string& text);

// The spelled lines, each ended by CR LF.
std::string gpjFile(std::initializer_list<std::string> lines);

// A root group of the converter, named as the converter names its own, and a reader, linked
// as the driver links them.
struct ReadModel {
  ReadModel(ProjectConverter& converter, const std::string& topPath);
  // Sets the root's source path to the top file's directory and links the reader to the root,
  // the converter's host and its compiler includes.
  void link(ProjectConverter& converter, const std::string& topPath);

  ProjectGroup root;
  GpjReader reader;
};

// A converter on the in-memory host, reading the top file C:\w\top.gpj.
class ReaderTest : public ::testing::Test {
 protected:
  // Creates the converter for the top file, as the entry would, and the model it reads into.
  ProjectConverter& prepare(const std::string& topPath = "C:\\w\\top.gpj");
  // Links the reader to the root group and parses the top file; an AsciiReaderError leaves.
  void readProject(const std::string& topPath = "C:\\w\\top.gpj", const std::vector<std::string>& extensions = {});
  // readProject, expecting the reader to fail with code; returns currentPath.
  std::string failingRead(int code, const std::string& topPath = "C:\\w\\top.gpj");
  std::string tree() { return dumpTree(rootGroup()); }
  ProjectGroup& rootGroup() { return model->root; }
  GpjReader& reader() { return model->reader; }
  // The spelled text as the reader's resolvePath rewrites it for the current group.
  std::string resolved(const std::string& text, PathSearch search = PathSearch::kNone);
  // The paths the host is asked to open while the reader looks for the relative source file
  // name: the current group's directory, then each source directory in order.
  std::vector<std::string> pathsTriedFor(const std::string& name);

  VirtualHost host;
  std::ostringstream log;
  std::unique_ptr<ProjectConverter> converter;
  std::unique_ptr<ReadModel> model;
};

}  // namespace kalvex::testing

#endif

// A converter on an in-memory desktop whose destination C:\out exists, with helpers to read
// back what the writer produced.
#ifndef KALVEX_TESTS_WRITER_WRITER_FIXTURE_H
#define KALVEX_TESTS_WRITER_WRITER_FIXTURE_H

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "project_converter.h"
#include "support/file_lists.h"
#include "support/virtual_host.h"

namespace kalvex {

class WriterTest : public ::testing::Test {
 protected:
  WriterTest() {
    host.addDirectory("C:\\out");
    converter.settings.projectName = "demo";
  }

  // The lines joined with CR LF after each, as the writer ends them.
  static std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
  }
  // The lines joined with LF after each, as a message log reads.
  static std::string lf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
  }
  // What the file holds once the files written so far are moved into place.
  std::string content(const std::string& path) {
    converter.outputs().moveAll(std::string());
    converter.outputs().confirm();
    const auto stored = host.fileContent(path);
    EXPECT_TRUE(stored.has_value()) << path << " was not written";
    return stored.value_or("");
  }

  VirtualHost host;
  std::ostringstream log;
  ProjectConverter converter{"C:\\src\\demo.gpj", "C:\\out", host, log};
  // The tree the tests write, named as the converter names its root group.
  ProjectGroup root{"demo", converter};
};

}  // namespace kalvex

#endif

#include "reader_fixture.h"

#include <cstddef>

#include "errors.h"
#include "reader/path_rules.h"

namespace kalvex::testing {
namespace {

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

}  // namespace

std::string spelled(const std::string& text) {
  std::string result = text;
  replaceAll(result, "[TAB]", "\t");
  replaceAll(result, "[SP]", " ");
  return result;
}

std::string gpjFile(std::initializer_list<std::string> lines) {
  std::string content;
  for (const std::string& line : lines) content += spelled(line) + "\r\n";
  return content;
}

ReadModel::ReadModel(ProjectConverter& converter, const std::string& topPath) : root(groupNameOf(topPath), converter) {}

void ReadModel::link(ProjectConverter& converter, const std::string& topPath) {
  root.sourcePath = topPath.substr(0, topPath.rfind('\\'));
  reader.link(root, converter.host(),
              [&converter](const std::string& directory) { return converter.isCompilerInclude(directory); });
}

ProjectConverter& ReaderTest::prepare(const std::string& topPath) {
  model.reset();
  converter = std::make_unique<ProjectConverter>(topPath, "C:\\out", host, log);
  model = std::make_unique<ReadModel>(*converter, topPath);
  return *converter;
}

void ReaderTest::readProject(const std::string& topPath, const std::vector<std::string>& extensions) {
  if (!converter) prepare(topPath);
  model->link(*converter, topPath);
  reader().setExtensions(extensions);
  reader().open(topPath);
  reader().parse();
}

std::string ReaderTest::resolved(const std::string& text, PathSearch search) {
  std::string result = spelled(text);
  reader().resolvePath(result, search);
  return result;
}

std::vector<std::string> ReaderTest::pathsTriedFor(const std::string& name) {
  const std::size_t before = host.readsOpened().size();
  resolved(name, PathSearch::kSourceDirs);
  return std::vector<std::string>(host.readsOpened().begin() + static_cast<std::ptrdiff_t>(before),
                                  host.readsOpened().end());
}

std::string ReaderTest::failingRead(int code, const std::string& topPath) {
  try {
    readProject(topPath);
  } catch (const AsciiReaderError& error) {
    EXPECT_EQ(error.code, code);
    return reader().currentPath();
  }
  ADD_FAILURE() << "the reader did not fail";
  return std::string();
}

}  // namespace kalvex::testing

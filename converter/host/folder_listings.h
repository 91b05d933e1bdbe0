// Existence answers from folder listings on a POSIX host: each folder is listed once, and a
// name that its listing does not hold is absent without a failed open. Only answers that an
// open would give exactly are made; every other case is left to a real open. The listings
// also find how a path that names nothing as written is spelled on disk (letter_case.h opens
// through that spelling).
#ifndef KALVEX_HOST_FOLDER_LISTINGS_H
#define KALVEX_HOST_FOLDER_LISTINGS_H

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kalvex {

// True for the errors that say a path names nothing: no such file, or a file where a folder
// should be.
bool namesNothing(int error);

class FolderListings {
 public:
  // What the listings tell of a path. kAbsent: no file can be opened at the host path: its
  // folder does not exist in any letter case, or its folder's listing holds no name equal to
  // the path's last component, not even when the case of ASCII letters is ignored (as Windows
  // and some file systems ignore it). A folder that exists only in another letter case is
  // listed under that spelling. kRegularFile: the listing holds the last component, spelled
  // exactly so, as a regular file (not a link to one). kCannotTell whenever a listing cannot
  // tell: the folder is not listed yet or cannot be, the name or a listed name is not plain
  // ASCII, the name ends in a full stop or a blank, or the path has no folder part. Both "/"
  // and "\\" separate components; a folder is listed under its host form, where every "\\"
  // is a "/".
  enum class Listed { kAbsent, kRegularFile, kCannotTell };
  Listed listedAs(std::string_view path);
  bool certainlyAbsent(std::string_view path) { return listedAs(path) == Listed::kAbsent; }
  // The names in the folder's listing, in ASCII lower case, listing it now if it was not;
  // empty when the folder does not exist; nothing when its listing cannot prove an absence.
  // The names stay valid until forgetAll().
  std::optional<std::vector<std::string_view>> listedNames(std::string_view folder);
  // The names of the folder's listing, as the file system spells them, that equal name when
  // the case of ASCII letters is ignored; empty when the folder cannot be listed. Valid until
  // forgetAll().
  std::vector<std::string_view> namesIgnoringCase(std::string_view folder, std::string_view name);
  // The path with each component that does not exist as written replaced by the one listed
  // name that equals it ignoring ASCII case; separators ("/" or "\\") stay as written.
  // Nothing when such a component matches no name or several.
  std::optional<std::string> spelledOnDisk(std::string_view path);
  // Drops every listing; called before anything on the file system is created or changed.
  void forgetAll() {
    folders_.clear();
    folderNames_.clear();
    lastFolder_ = {};
    lastEntry_ = nullptr;
    ++generation_;
  }
  // Counts the calls of forgetAll(), so that what was built from listings can tell it is stale.
  std::uint64_t generation() const { return generation_; }

  // A name whose absence a listing can prove: file systems that drop trailing full stops and
  // blanks, or fold letters beyond ASCII, could open it under another listed name.
  static bool answerableName(std::string_view name);

 private:
  // The listed names in ASCII lower case, each followed by a NUL byte and its type (a dirent
  // type), and their offsets in ascending order of the names. A folder that does not exist as
  // written is listed under the one spelling that names it when the case of ASCII letters is
  // ignored.
  struct Listing {
    // kAskedOnce: not listed yet; a folder asked about once is left to a real open, as a
    // listing costs more than one open and pays only from the second question on.
    enum class State { kAskedOnce, kListed, kMissing, kUnknown } state = State::kUnknown;
    std::string names;
    // The names as spelled, at the same offsets; empty when that is names itself.
    std::string spelled;
    std::vector<std::uint32_t> sorted;
    // False when a name is not plain ASCII: the file system may fold it onto another.
    bool provesAbsence = true;
    // The first name, in sorted order, that is not below lowerName.
    std::vector<std::uint32_t>::const_iterator firstNotBelow(std::string_view lowerName) const;
  };
  // When a folder asked about for the first time is listed: an existence answer waits for
  // the second question, a caller that needs the names lists it at once.
  enum class FirstQuestion { kWaits, kLists };
  Listing list(const std::string& folder);
  // The folder's entry; listed now unless it was, or it is new and first waits.
  Listing& entryOf(std::string_view folder, FirstQuestion first);
  // The name that stands for component in folder: itself where it exists as written, else
  // the one listed name that equals it ignoring ASCII case.
  std::optional<std::string_view> matchIn(std::string_view folder, std::string_view component);

  // Keyed by the folder as the path spells it; the keys point into folderNames_, so that a
  // lookup needs no copy of the path.
  std::unordered_map<std::string_view, Listing> folders_;
  std::vector<std::unique_ptr<std::string>> folderNames_;
  // The entry asked about last, with its key: a group's files mostly lie in one folder.
  std::string_view lastFolder_;
  Listing* lastEntry_ = nullptr;
  std::uint64_t generation_ = 0;
};

}  // namespace kalvex

#endif

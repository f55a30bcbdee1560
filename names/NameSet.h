#pragma once
// Name sets: the compiled-in name lists, optionally overlaid by a user's folder of name files
// (read and written by rom/NameSetFiles.h).
//
// A folder holds UTF-8 text files named like the compiled-in lists (tank_parts.txt, ...). The
// first line names code 0, the next code 1, and so on. An empty line, and every position past
// the end of a shorter file, keeps the compiled-in entry. A folder is refused as a whole, with
// file:line and the reason, when any file is not UTF-8, is not a list's name, has more names
// than its list, or holds a name that GBK cannot encode or that is wider than its slot.
//
// Codes are the truth and names only present them: a document's model holds the set its codes
// are shown with and asks it at the moment it shows a name, so switching sets never touches a
// value.
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "names/Names.h"

namespace dravik::names {

struct ListInfo {
    List list;
    const char* file;  // the name file, "tank_parts.txt"
    const char* title; // what the list names, for messages and documentation
    int entries;       // how many codes it names
    int slotWidth;     // widest name in GBK bytes; 0 for lists without a fixed-width slot
};

// The lines of a name file's text: "\n" or "\r\n" ends a line; a last line left empty is none.
std::vector<std::string> NameFileLines(const std::string& text);

// Every user-replaceable list, in the order of the List enum.
const std::vector<ListInfo>& AllLists();
const ListInfo& Info(List list);
const ListInfo* FindListFile(const std::string& fileName);

// The length of a UTF-8 text once encoded in GBK (code page 936); -1 when GBK cannot encode
// some character of it.
int GbkLength(const std::string& utf8);

class NameSet;
// A name set shared by the models and views that show codes with it.
using NameSetPtr = std::shared_ptr<const NameSet>;

class NameSet {
public:
    // The compiled-in lists.
    static const NameSet& BuiltIn();
    static NameSetPtr BuiltInPtr();

    const std::vector<std::string>& Names(List list) const;
    const std::vector<std::string>& Combo(List list) const;
    const std::vector<std::string>& HumanLoot() const { return humanLoot_; }
    const std::vector<std::string>& TankLoot() const { return tankLoot_; }
    // The entries that show this name, in list order (several where a name repeats).
    const std::vector<ListEntry>& EntriesNamed(const std::string& name) const;

    // An entry the user's files set (even to the compiled-in text).
    struct Entry {
        List list;
        int code;
        std::string text;
    };
    // The compiled-in lists with `entries` over them, each code within its list's size (the
    // reader checks them), read from `folder`.
    static NameSet WithUserEntries(std::vector<Entry> entries, std::string folder);
    const std::vector<Entry>& UserEntries() const { return user_; }
    int UserCount() const { return static_cast<int>(user_.size()); }
    const std::string& Folder() const { return folder_; } // empty for the compiled-in set

private:
    friend struct NameSetBuilder; // makes the compiled-in set
    NameSet() = default;
    void BuildLoot();

    // Each name's entries, made the first time a name is looked up (most runs never do: only
    // reading names back into codes asks) and made anew, not shared, for a copy of the set.
    struct ByName {
        struct Index {
            std::once_flag made;
            std::unordered_map<std::string, std::vector<ListEntry>> entries;
        };
        ByName() : index(std::make_unique<Index>()) {}
        ByName(const ByName&) : ByName() {}
        ByName& operator=(const ByName&)
        {
            index = std::make_unique<Index>();
            return *this;
        }
        std::unique_ptr<Index> index;
    };

    std::vector<std::vector<std::string>> names_;
    std::vector<std::vector<std::string>> combos_;
    std::vector<std::string> humanLoot_;
    std::vector<std::string> tankLoot_;
    mutable ByName byName_;
    std::vector<Entry> user_;
    std::string folder_;
};

} // namespace dravik::names

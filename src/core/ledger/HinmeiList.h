#pragma once
// The entry store: every entry of a data file in one ordered list, owned by the store. A
// position is a list iterator; it stays valid until its own entry is removed, and the partner
// of a pair is its neighbour.

#include <cstddef>
#include <cstdint>
#include <list>

#include "ledger/Hinmei.h"

namespace sorami {

class Archive;
class ArchiveError;
class CHinmeiList;

// The version of the configuration block every save writes.
inline constexpr uint16_t kBlockVersionCurrent = 952;

// Load states of a store.
inline constexpr int32_t kLoadComplete = 0;
inline constexpr int32_t kLoadDamaged = 2;  // the file was damaged and only partly read

// What reading the entries leaves to the one who opens the file: trimming to the read limit,
// the questions about a damaged file, running out of memory. The defaults read everything and
// let every error pass on.
class EntryReadHooks {
 public:
  virtual ~EntryReadHooks() = default;
  // The count is read and plausible; no entry is read yet.
  virtual void begin(CHinmeiList& /*list*/, uint32_t /*count*/) {}
  // `entry` was appended as the `index`-th entry read (from 0). The hook may remove earlier
  // entries, never `entry` itself.
  virtual void appended(CHinmeiList& /*list*/, std::list<CHinmei>::iterator /*entry*/,
                        uint32_t /*index*/) {}
  // The bytes of the store are damaged; `read` entries of `count` were read and are still in
  // the list, the damaged one is not. True keeps them and ends reading normally; false lets
  // the error pass on.
  virtual bool damaged(CHinmeiList& /*list*/, const ArchiveError& /*error*/, uint32_t /*count*/,
                       uint32_t /*read*/) {
    return false;
  }
  // Memory ran out after `read` entries; the error passes on after this.
  virtual void outOfMemory(CHinmeiList& /*list*/, uint32_t /*read*/) {}
  // Reading ended normally (also after damage the hook chose to accept).
  virtual void end(CHinmeiList& /*list*/, uint32_t /*count*/, uint32_t /*read*/) {}
};

class CHinmeiList {
 public:
  using Entries = std::list<CHinmei>;
  using Position = Entries::iterator;
  using ConstPosition = Entries::const_iterator;

  CHinmeiList() = default;
  CHinmeiList(const CHinmeiList&) = delete;
  CHinmeiList& operator=(const CHinmeiList&) = delete;

  // Appends an entry; the store counts as modified.
  Position addAtEnd(CHinmei entry);

  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  Position begin() { return entries_.begin(); }
  Position end() { return entries_.end(); }
  ConstPosition begin() const { return entries_.begin(); }
  ConstPosition end() const { return entries_.end(); }
  Entries& entries() { return entries_; }
  const Entries& entries() const { return entries_; }

  uint16_t dataVersion() const { return dataVersion_; }
  void setDataVersion(uint16_t v) { dataVersion_ = v; }
  uint16_t blockVersion() const { return blockVersion_; }
  void setBlockVersion(uint16_t v) { blockVersion_ = v; }
  int32_t loadState() const { return loadState_; }
  void setLoadState(int32_t state) { loadState_ = state; }
  bool isModified() const { return modified_; }
  void setModified(bool on) { modified_ = on; }

  // Writes the entries, or reads them as stored by a file of the store's data version, which
  // the document sets from the file before. Reading replaces the list.
  void serialize(Archive& ar);
  void serialize(Archive& ar, EntryReadHooks& hooks);
  void write(Archive& ar) const;

 private:
  void read(Archive& ar, EntryReadHooks& hooks);
  void readEntries(Archive& ar, EntryReadHooks& hooks, uint32_t& count, uint32_t& read);
  void readEntry(Archive& ar, Day correction);

  Entries entries_;
  uint16_t dataVersion_ = kDataVersionCurrent;
  uint16_t blockVersion_ = kBlockVersionCurrent;
  int32_t loadState_ = kLoadComplete;
  bool modified_ = false;
};

}  // namespace sorami

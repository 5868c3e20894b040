// TStrings / TStringList: an indexed list of UTF-8 strings, each with an
// associated object pointer. Indexes outside 0..Count-1 raise
// EStringListError "List index out of bounds (%d)".
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/exceptions.h"
#include "framework/object.h"

class TStrings;

// What changed in a list, for owners that keep data beside the strings.
struct TStringsChange {
  enum Kind { Inserted, Deleted, Replaced, Moved, Exchanged, Cleared, Sorted };
  Kind kind;
  int index = -1;   // Inserted/Deleted/Replaced: the index; Moved: from; Exchanged: first
  int index2 = -1;  // Moved: to; Exchanged: second
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TObject {
 public:
  virtual ~TStrings() = default;

  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& s) = 0;
  virtual void* GetObject(int index) const = 0;
  virtual void PutObject(int index, void* object) = 0;
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  std::string Strings(int index) const { return Get(index); }
  void SetStrings(int index, const std::string& s) { Put(index, s); }
  std::string operator[](int index) const { return Get(index); }
  void* Objects(int index) const { return GetObject(index); }
  void SetObjects(int index, void* o) { PutObject(index, o); }

  virtual int Add(const std::string& s);
  int AddObject(const std::string& s, void* object);
  void InsertObject(int index, const std::string& s, void* object);
  void AddStrings(const TStrings& other);
  void Assign(const TStrings& source);
  virtual void Move(int from, int to);
  virtual void Exchange(int a, int b);
  virtual int IndexOf(const std::string& s) const;  // case-insensitive (ASCII)
  int IndexOfObject(const void* object) const;

  // Lines joined with "\n" (a trailing "\n" after the last); setting splits at
  // "\n" or "\r\n".
  std::string Text() const;
  void SetText(const std::string& text);
  // Comma-separated, items with spaces, commas or quotes in double quotes.
  std::string CommaText() const;
  void SetCommaText(const std::string& text);

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  std::vector<std::string> ToVector() const;

 protected:
  virtual void SetUpdateState(bool updating) { (void)updating; }
  [[noreturn]] static void IndexError(int index);

 private:
  int updateCount_ = 0;
};

class TStringList : public TStrings {
 public:
  TStringList() = default;
  TStringList(std::initializer_list<std::string> items);

  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  void* GetObject(int index) const override;
  void PutObject(int index, void* object) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  int Add(const std::string& s) override;
  void Move(int from, int to) override;
  void Exchange(int a, int b) override;
  int IndexOf(const std::string& s) const override;

  // Sorted lists keep their strings in order (Add inserts in place; Insert,
  // Move and Exchange raise EStringListError "Operation not allowed on sorted
  // list").
  bool Sorted() const { return sorted_; }
  void SetSorted(bool v);
  void Sort();
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool v);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates v) { duplicates_ = v; }
  // Binary search in a sorted list; `index` gets the position or insert point.
  bool Find(const std::string& s, int& index) const;

  // OnChanging before and OnChange after every change (once per
  // BeginUpdate/EndUpdate bracket); OnChangeEx after each single change.
  std::function<void(TObject* sender)> OnChange;
  std::function<void(TObject* sender)> OnChanging;
  std::function<void(const TStringsChange& change)> OnChangeEx;

 protected:
  void SetUpdateState(bool updating) override;
  virtual void Changing();
  virtual void Changed(const TStringsChange& change);
  int CompareStrings(const std::string& a, const std::string& b) const;

 private:
  struct Item {
    std::string text;
    void* object = nullptr;
  };
  void CheckIndex(int index) const;
  void CheckUnsorted() const;
  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  TDuplicates duplicates_ = dupIgnore;
  bool changedInUpdate_ = false;
};

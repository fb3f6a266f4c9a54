// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

// Prepares a shared data folder for a classroom: the shared settings, the
// user database, the top-ten tables and the error log. Students (the
// group) may write the data, only the administrator the settings, so that
// no student can lift a lock. Nothing a school has made is overwritten.
struct TServerSetup {
  std::string Folder;    // the shared data folder; created when missing
  std::string Group;     // the students' group; empty: the caller's own group
  std::string Material;  // the shipped material; empty: the program's folder

  // Lines telling what was done, and on failure why it stopped.
  std::vector<std::string> Log;
  std::string Error;

  bool Run();
  // The two lines a workstation's QXLocal.ini needs to use the folder.
  std::vector<std::string> WorkstationLines() const;

 private:
  bool Fail(const std::string& text);
  bool Place(const std::string& name, const std::string& from, bool shared);
  bool Own(const std::string& path, unsigned mode);
  bool PlaceTopTen(const std::string& table);
  unsigned gid_ = 0;
};

// The shared data files the tutor writes, besides the user database.
inline constexpr const char* kSharedTopTenTables[] = {"zarozira", "bubbles"};

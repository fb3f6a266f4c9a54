// SPDX-License-Identifier: GPL-3.0-or-later
#include "review/Builder.h"

#include <algorithm>

#include "content/Contents.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "storage/Errors.h"
#include "storage/FileObj.h"
#include "storage/PrgSetup.h"
#include "storage/ToolBox.h"
#include "storage/User.h"

namespace {

int LittleEndian16(const unsigned char* b) { return static_cast<int16_t>(b[0] | (b[1] << 8)); }

}  // namespace

TRevisionBuilder::TRevisionBuilder() {
  std::string fallback = Settings ? Settings->DefaultWizard : std::string();
  if (fallback.empty()) fallback = "builder";
  std::string base = fallback;
  if (Contents && !Contents->WizardName.empty()) base = Contents->WizardName;
  IndexFileName = Cut255(base + ".hdr");
  DataFileName = Cut255(base + ".dta");
  if (base != fallback) {
    if (!qx::FileExists(IndexFileName)) IndexFileName = Cut255(fallback + ".hdr");
    if (!qx::FileExists(DataFileName)) DataFileName = Cut255(fallback + ".dta");
  }
}

int TRevisionBuilder::ReadIndex(const std::string& fileName, std::vector<TBuilderIndexRecord>& records) {
  records.clear();
  TRecFile file;
  const int status = file.Open(fileName, kRecOpen, kShareReadOnly);
  if (status != kFileOpen) return status;
  const int count = std::min(file.RecordCount(kIndexRecordSize), kMaxIndexRecords);
  std::string bytes(static_cast<size_t>(count) * kIndexRecordSize, '\0');
  if (count > 0) file.ReadRecord(bytes.data(), static_cast<int>(bytes.size()));
  // A read cut short keeps only the records that arrived whole.
  const int whole = file.Status == kFileOpen ? count : std::min(count, file.Position / kIndexRecordSize);
  file.Close();
  records.reserve(static_cast<size_t>(whole));
  for (int i = 0; i < whole; ++i) {
    const auto* r = reinterpret_cast<const unsigned char*>(bytes.data()) + i * kIndexRecordSize;
    records.push_back({LittleEndian16(r) & 0xFF, LittleEndian16(r + 2), LittleEndian16(r + 4),
                       LittleEndian16(r + 6), LittleEndian16(r + 8)});
  }
  return kFileOpen;
}

int TRevisionBuilder::LoadMaterial(int kind, int perKey) {
  Items.clear();
  TRecFile data;
  int status = data.Open(DataFileName, kRecOpen, kShareReadOnly);
  if (status != kFileOpen) {
    ReportError(status, DataFileName);
    return 0;
  }
  std::vector<TBuilderIndexRecord> index;
  status = ReadIndex(IndexFileName, index);
  if (status != kFileOpen) {
    ReportError(status, IndexFileName);
    return 0;
  }
  std::vector<std::string> scratch;
  for (unsigned char c : Keys) {
    int taken = 0;
    for (const TBuilderIndexRecord& r : index) {
      if (r.Key != c || r.Kind != kind || r.FromLesson > LevelLimit) continue;
      if (r.Count > 0 && r.Block >= 0 && data.Seek(kLineSlotSize, r.Block) == 1) {
        for (int i = 0; i < r.Count; ++i) {
          Line.clear();
          if (data.ReadStr255(Line) != kFileOpen) break;  // a block past the end reads no more
          scratch.push_back(Line);
          ++taken;
        }
        // The next block may seek again.
        if (data.Status == kFileEnd) data.Status = kFileOpen;
        ShuffleList(scratch);
        const size_t keep = std::min(scratch.size(), static_cast<size_t>(std::max(perKey, 0)));
        Items.insert(Items.end(), scratch.begin(), scratch.begin() + static_cast<long>(keep));
        if (kind == kMaterialSentences) Items.emplace_back();
        scratch.clear();
      }
      if (taken >= perKey) break;
    }
  }
  return static_cast<int>(Items.size());
}

void TRevisionBuilder::Prepare(const std::string& keys, int levelLimit) {
  std::string lower = keys;
  for (char& c : lower) c = static_cast<char>(qx::LowerCp1252(static_cast<unsigned char>(c)));
  Keys = Cut255(UniqueChars(lower));
  capitals_.clear();
  for (char c : keys)
    if (c >= 'A' && c <= 'Z' && capitals_.find(c) == std::string::npos) capitals_ += c;
  LevelLimit = levelLimit;
}

int TRevisionBuilder::BuildSentences(const std::string& keys, int levelLimit, int perKey) {
  Prepare(keys, levelLimit);
  LoadMaterial(kMaterialSentences, perKey);
  if (!capitals_.empty()) {
    // Courses may teach capitals over several lessons: a sentence opens
    // with a capital only once the student has met it.
    const std::string known = User ? User->StudiedKeys(LevelLimit) : std::string();
    for (std::string& s : Items) {
      s = ProperCase(s, capitals_);
      if (!s.empty() && !known.empty() && known.find(s[0]) == std::string::npos)
        s[0] = static_cast<char>(qx::LowerCp1252(static_cast<unsigned char>(s[0])));
    }
  }
  if (Keys.find('.') != std::string::npos) {
    for (std::string& s : Items)
      if (s.size() > 3 && std::string_view(",.!?-").find(s.back()) == std::string_view::npos)
        s = Cut255(s + ".");
  }
  return static_cast<int>(Items.size());
}

int TRevisionBuilder::BuildWords(const std::string& keys, int levelLimit, int perKey) {
  Prepare(keys, levelLimit);
  LoadMaterial(kMaterialWords, perKey);
  if (!capitals_.empty()) {
    for (std::string& w : Items)
      if (!w.empty() && capitals_.find(char(UpCaseChar(static_cast<unsigned char>(w[0])))) != std::string::npos)
        w = Capitalize(w);
  }
  return static_cast<int>(Items.size());
}

int TRevisionBuilder::BuildWordLines(const std::string& keys, int levelLimit, int perKey) {
  BuildWords(keys, levelLimit, perKey * 5);
  const std::vector<std::string> words = std::move(Items);
  Items.clear();
  const std::string separator = keys.find(',') != std::string::npos ? ", " : " ";
  std::string line;
  int inLine = 0;
  for (size_t i = 0; i < words.size(); ++i) {
    line += words[i] + separator;
    if (++inLine == 5 || i + 1 == words.size()) {
      Items.push_back(Cut255(TrimBlanks(line)));
      line.clear();
      inLine = 0;
    }
  }
  return static_cast<int>(Items.size());
}

bool LoadVocabulary(const std::string& fileName, std::vector<std::string>& words) {
  words.clear();
  TTextFile file;
  if (file.Open(fileName, kTextRead) != kFileOpen) return false;
  std::string line;
  for (;;) {
    const int status = file.ReadLine(line);
    if (status != kFileOpen && status != kFileEnd) return false;
    // A file with bare line feeds still gives one word a line.
    size_t start = 0;
    while (start <= line.size()) {
      const size_t end = std::min(line.find('\n', start), line.size());
      std::string word = TrimBlanks(std::string_view(line).substr(start, end - start));
      if (!word.empty() && word.back() == '\r') word = TrimBlanks(word.substr(0, word.size() - 1));
      if (!word.empty()) words.push_back(word);
      start = end + 1;
    }
    if (status == kFileEnd) break;
  }
  return true;
}

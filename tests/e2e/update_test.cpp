// "Обновить" worked as a user works it, against the local update server
// reached through http_proxy: answer the boxes, read the status, the bar and
// the version label, and compare settings.ini and the program folder.
#include <gtest/gtest.h>

#include <map>

#include "bszip/extract.h"
#include "components/net/http_get.h"
#include "tests/core/probes.h"
#include "tests/e2e/driver.h"
#include "tests/files/files_test.h"
#include "tests/zip/target_double.h"

#include <commctrl.h>

namespace {

using namespace e2e;
using std::string;
using std::wstring;

// A path of this machine's file system as Wine names it.
wstring ZPath(const string& unix) {
  wstring path = L"Z:" + W(unix.c_str());
  for (auto& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

// The server of scripts/update_server.py, serving from a folder that each
// test fills: version, info.txt, archive\..., fault, or what ostrel-publish
// wrote.
struct ServerEnvironment : ::testing::Environment {
  static inline wstring folder, proxy;
  void SetUp() override {
    const string unix = "/tmp/ostrel-update-" + std::to_string(GetCurrentProcessId());
    folder = ZPath(unix) + L"\\";
    RemoveFolder(folder);  // a process id can come again: nothing of an earlier run stays
    CreateDirectoryW(folder.c_str(), nullptr);
    const wstring portFile = folder + L"port";
    wstring command = L"/usr/bin/python3 " + W(OSTREL_UPDATE_SERVER) + L" " + W(unix.c_str()) + L" " +
                      W((unix + "/port").c_str());
    RunUnix(L"C:\\", command, portFile, true);
    ASSERT_TRUE(WaitUntil([&] { return !ReadBytes(portFile).empty(); })) << "the update server did not start";
    proxy = L"http_proxy=http://127.0.0.1:" + W(ReadBytes(portFile).c_str());
  }
  void TearDown() override {
    DispatchOn on;
    TKestoHTTP_Get quit;
    quit.Blocking = true;
    quit.Url = "http://127.0.0.1:" + ReadBytes(folder + L"port") + "/quit";
    TData none;
    quit.Download(none, 0);
    RemoveFolder(folder);
  }
};
const auto* const kServer = ::testing::AddGlobalTestEnvironment(new ServerEnvironment);

// Every file of a folder and its subfolders, by relative path, with its
// bytes; a file longer than a line by its size and hash, so that a failure
// names what differs instead of printing whole programs.
std::map<wstring, string> Snapshot(const wstring& root, const wstring& relative = L"") {
  std::map<wstring, string> files;
  WIN32_FIND_DATAW f;
  HANDLE h = FindFirstFileW((root + relative + L"*").c_str(), &f);
  for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileW(h, &f)) {
    const wstring name = f.cFileName;
    if (name == L"." || name == L"..") continue;
    if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      files.merge(Snapshot(root, relative + name + L"\\"));
      continue;
    }
    const string bytes = ReadBytes(root + relative + name);
    files[relative + name] = bytes.size() <= 64 ? bytes
                                                : std::to_string(bytes.size()) + " bytes, hash " +
                                                      std::to_string(std::hash<string>{}(bytes));
  }
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
  return files;
}

// The program folder's path holds a ";", beside a user's folder named like
// its first half, which no update may touch.
struct UpdateTest : ::testing::Test {
  void SetUp() override {
    DeleteFileW((ServerEnvironment::folder + L"fault").c_str());
    RemoveFolder(ServerEnvironment::folder + L"archive");
    WriteBytes(folder.Path() + L"sources\\old.wgw", "old");
    WriteBytes(decoy + L"keep.txt", "mine");
  }
  void TearDown() override {
    RemoveFolder(decoy);
    for (const wstring& name : served) DeleteFileW((ServerEnvironment::folder + name).c_str());
  }
  void Serve(const wstring& name, const string& bytes) {
    WriteBytes(ServerEnvironment::folder + name, bytes);
    served.push_back(name);
  }
  // The folder's ostrel.exe replaced by another build, started afresh.
  void Restart(const char* program) {
    ostrel.reset();
    ASSERT_TRUE(CopyFileW(ZPath(program).c_str(), folder.Exe().c_str(), FALSE));
    Start();
  }
  void Start(const wstring& proxy = ServerEnvironment::proxy) {
    ostrel = std::make_unique<Ostrel>(folder, L"", std::vector<wstring>{proxy});
    form = ostrel->WaitForWindow(L"Ostrel");
    ASSERT_NE(form, nullptr);
    version = ControlAt(form, 10, 200);
    status = ControlAt(form, 10, 159);
    bar = ControlAt(form, 10, 170);
    button = ControlAt(form, 10, 180);
    ASSERT_TRUE(version && status && bar && button);
  }
  // Clicks "Обновить" and answers the question.
  void Update(bool yes = true) {
    Click(button);
    const Box question = AnswerBox(*ostrel, yes ? IDYES : IDNO);
    EXPECT_EQ(question.text, W("Запустить обновление?"));
    EXPECT_EQ(question.caption, question.text);
  }
  // The end of every run: bar at 0, a blank status, the button back.
  void ExpectRunEnded() {
    WaitUntil([&] { return IsWindowEnabled(button); });
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 0);
    EXPECT_EQ(Text(status), L" ");
    EXPECT_TRUE(IsWindowEnabled(button));
  }
  int Setting() const {
    return int(GetPrivateProfileIntW(L"update", L"data_ver", -1, (folder.Path() + L"settings.ini").c_str()));
  }

  std::vector<wstring> served;
  ProgramFolder folder{L"", L";x"};
  const wstring decoy = folder.Path().substr(0, folder.Path().size() - 3) + L"\\";
  std::unique_ptr<Ostrel> ostrel;
  HWND form = nullptr, version = nullptr, status = nullptr, bar = nullptr, button = nullptr;
};

// A folder or file of the source tree.
wstring Source(const string& path) { return ZPath(OSTREL_SOURCE_DIR "/" + path); }
string Keys(const char* name) { return ReadBytes(Source(string("tests/keys/") + name)); }

// The signed sample is served as ostrel-publish wrote it, and unpacked as
// its data folder holds it, whether or not the build checks the signature.
TEST_F(UpdateTest, ANewerVersionIsFetchedUnpackedRecordedAndItsNewsShown) {
  Serve(L"version", "5\r\n");
  Serve(L"info.txt", "Новые дома.\r\nНовые стены.");
  Serve(L"archive\\sources\\old.wgw", "replaced");
  Serve(L"archive\\sources\\new\\new.wgh", "новый");
  const struct {
    const char* program;
    bool published;  // the sample of data/update, else the archive made of archive\...
    int version;
  } rows[] = {{OSTREL_EXE, false, 5}, {OSTREL_TEST_KEY_EXE, true, 2}, {OSTREL_EXE, true, 2}};
  for (const auto& row : rows) {
    if (row.published)
      for (const wchar_t* name : {L"nowupdate.txt", L"upd2.zip", L"upd2.zip.sig", L"info.txt"})
        Serve(name, ReadBytes(Source("data/update/") + name));
    WriteBytes(folder.Path() + L"settings.ini", "[update]\r\ndata_ver=1\r\n");
    Restart(row.program);
    auto expected = Snapshot(folder.Path());
    expected[L"settings.ini"] = "[update]\r\ndata_ver=" + std::to_string(row.version) + "\r\n";
    for (const auto& [name, bytes] :
         Snapshot(row.published ? Source("data/update-data/") : ServerEnvironment::folder + L"archive\\"))
      expected[name] = bytes;
    Update();
    Box box = AnswerBox(*ostrel);
    EXPECT_EQ(box.caption, W("Завершено")) << row.program;
    EXPECT_EQ(box.text, W("Обновление завершено. Перезапустите программу."));
    EXPECT_TRUE(box.information);
    box = AnswerBox(*ostrel);
    EXPECT_EQ(box.caption, W("ЧТО НОВОГО В ПОСЛЕДНЕМ ОБНОВЛЕНИИ"));
    EXPECT_EQ(box.text, W(ReadBytes(ServerEnvironment::folder + L"info.txt").c_str()));
    ExpectRunEnded();
    EXPECT_EQ(Text(version), W("Версия данных: ") + std::to_wstring(row.version));
    // The version recorded, the archive gone to the recycle bin, nothing else left over.
    EXPECT_EQ(Snapshot(folder.Path()), expected) << row.program;
  }
  EXPECT_EQ(Snapshot(decoy), (std::map<wstring, string>{{L"keep.txt", "mine"}}));
}

TEST_F(UpdateTest, NoUpdateWhenTheServerIsNotNewerOrTheUserSaysNo) {
  WriteBytes(folder.Path() + L"settings.ini", "[update]\r\ndata_ver=5\r\n");
  Start();
  for (const char* served : {"5\r\n", "4", "abc 9"}) {
    Serve(L"version", served);
    Update();
    WaitUntil([&] { return Text(status) == W("Обновление не требуется"); });
    EXPECT_EQ(Text(status), W("Обновление не требуется")) << served;
    const Box box = AnswerBox(*ostrel);
    EXPECT_EQ(box.caption, W("Обновление не требуется"));
    EXPECT_EQ(box.text, W("Обновление не требуется."));
    EXPECT_TRUE(box.information);
    ExpectRunEnded();
  }
  Update(false);
  ExpectRunEnded();
  EXPECT_EQ(Setting(), 5);
  EXPECT_EQ(Snapshot(folder.Path()).count(L"lastupdates.zip"), 0u);
}

// Instead of a status stuck half way, or a failed install reported as done;
// with the tests' key, an archive its signature does not prove is refused.
TEST_F(UpdateTest, FailuresEndTheRunWithAMessageAndLeaveTheDataAsItWas) {
  Serve(L"version", "7");
  Serve(L"archive\\sources\\old.wgw", "replaced");
  Start();
  EXPECT_EQ(Text(version), W("Версия данных: 0"));  // no settings.ini
  auto before = Snapshot(folder.Path());
  const wstring server = W("Не удалось связаться с сервером обновлений.");
  const wstring unverified = W("Не удалось проверить подлинность обновления, поэтому оно не установлено.\r\n"
                               "Повторите операцию, если ошибка будет повторяться, обратитесь к разработчику.");
  const string published = Keys("upd5.zip"), signature = Keys("upd5.zip.sig"), other = Keys("upd5.zip.other-key.sig");
  const size_t middle = published.size() / 2;
  const string tampered = string(published).replace(middle, 1, 1, char(published[middle] ^ 1));
  const string truncated = signature.substr(0, 63), empty;
  const struct {
    const char* fault;
    wstring text;
    const string* signature = nullptr;  // with `archive`: upd5.zip as published, for the build with the tests' key
    const string* archive = nullptr;
  } rows[] = {
      {"version-404", server}, {"archive-500", server}, {"archive-truncated", server}, {"version-endless", server},
      {"archive-hostile", W("Ошибка при распаковке обновлений...\r\nПовторите операцию, если ошибка будет "
                            "повторяться, обратитесь к разработчику.")},
      {"archive-unwritable", W("Не удалось сохранить обновление в папку программы:\r\n") + folder.Path() +
                                 W("\r\nПроверьте, что в эту папку разрешена запись, и повторите операцию.")},
      {"held-open", W("Ошибка при распаковке обновлений: не удалось заменить файл\r\n") + folder.Path() +
                        L"sources\\old.wgw" + W("\r\nВозможно, он открыт в другой программе. Закройте её и "
                                                 "повторите операцию.")},
      {"signed-tampered", unverified, &signature, &tampered},
      {"signed-other-key", unverified, &other, &published},
      {"signed-no-signature", unverified, nullptr, &published},
      {"signed-truncated-signature", unverified, &truncated, &published},
      {"signed-empty-signature", unverified, &empty, &published},
  };
  bool keyed = false;
  for (const auto& row : rows) {
    const string fault = row.fault;
    Serve(L"fault", fault);
    if (row.archive && !keyed) {
      keyed = true;
      Serve(L"nowupdate.txt", "5");
      Restart(OSTREL_TEST_KEY_EXE);
      before = Snapshot(folder.Path());
    }
    if (row.archive) Serve(L"upd5.zip", *row.archive);
    if (row.signature) Serve(L"upd5.zip.sig", *row.signature);
    else DeleteFileW((ServerEnvironment::folder + L"upd5.zip.sig").c_str());
    const wstring zip = folder.Path() + L"lastupdates.zip";
    // Wine as root writes anywhere: a folder in the archive's place stands for no write access.
    if (fault == "archive-unwritable") CreateDirectoryW(zip.c_str(), nullptr);
    // Another program holds a file the update replaces.
    HANDLE held = fault != "held-open" ? INVALID_HANDLE_VALUE
                                       : CreateFileW((folder.Path() + L"sources\\old.wgw").c_str(), GENERIC_READ,
                                                     FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    Update();
    const Box box = AnswerBox(*ostrel);
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    EXPECT_EQ(box.caption, W("Ошибка")) << fault;
    EXPECT_TRUE(box.error) << fault;
    EXPECT_EQ(box.text, row.text) << fault;
    ExpectRunEnded();
    EXPECT_TRUE(AnswerBox(*ostrel, IDOK, 1000).caption.empty()) << fault;  // nothing more to say
    EXPECT_EQ(Snapshot(folder.Path()), before) << fault;  // no part of an archive either
    EXPECT_EQ(Text(version), W("Версия данных: 0"));
    RemoveDirectoryW(zip.c_str());
  }
  EXPECT_EQ(ReadBytes(folder.Path() + L"..\\escaped.txt"), "");

  ostrel.reset();
  Start(L"http_proxy=http://127.0.0.1:9");  // nobody listens there
  Update();
  const Box box = AnswerBox(*ostrel);
  EXPECT_EQ(box.text, W("Не удалось связаться с сервером обновлений."));
  ExpectRunEnded();
}

// An unpacking stopped between two moves, as a power cut would stop it:
// the next start puts the old files back before anything reads them, the
// house list too.
TEST_F(UpdateTest, AnUnpackingStoppedBetweenTwoMovesIsRolledBackAtTheNextStart) {
  WriteBytes(folder.Path() + L"replace.txt", "old");
  WriteBytes(folder.Path() + L"sources\\old.wgh", "old");
  const auto before = Snapshot(folder.Path());
  {  // the stopped process's handles go with it
    zip_test::Opened archive("good_replace_houses");  // replace.txt, sources/new.wgh, sources/newer.wgh
    zip_test::TargetDouble stopped(bszip::MakeTarget(zip_test::ApiText(folder.Path()).c_str()),
                                   zip_test::TargetDouble::kDie, 2);
    bszip::Extract(archive.file->View(), archive.entries, &stopped, bszip::Options(), nullptr);
  }
  ASSERT_NE(Snapshot(folder.Path()), before);
  Start();
  EXPECT_EQ(Snapshot(folder.Path()), before);
  EXPECT_EQ(Items(ControlAt(form, 340, 25)), std::vector<wstring>{folder.Path() + L"sources\\old.wgh"});
}

TEST_F(UpdateTest, TheButtonRestsDuringARunAndClosingMidDownloadEndsCleanly) {
  Serve(L"version", "7");
  Serve(L"archive\\sources\\old.wgw", "replaced");
  Serve(L"fault", "archive-slow");
  Start();
  const auto before = Snapshot(folder.Path());
  Update();
  WaitUntil([&] { return Text(status) == W("Загрузка..."); });
  EXPECT_EQ(Text(status), W("Загрузка..."));
  EXPECT_FALSE(IsWindowEnabled(button));
  EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 2);
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_EQ(ostrel->WaitForExit(30000), 0);  // the download would take a minute more
  auto after = Snapshot(folder.Path());
  after.erase(L"lastupdates.zip");
  EXPECT_EQ(after, before);
}

}  // namespace

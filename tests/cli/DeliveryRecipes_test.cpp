// The delivery recipes of dist/recipes/, as the README gives them, run with
// the real programs against a scratch user's ~/Maildir: procmail and maildrop
// fed a message as a mail server feeds them; fetchmail and mbsync fetching
// from dovecot's IMAP server over a tunnel, getmail from dovecot's POP3
// server on the loopback. Each checks the recipes' promise: when skerrow
// fails, the message stays with the program that had it.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/socket.h>

#include <memory>

#include "tests/cli/BackgroundCommand.h"
#include "tests/cli/CommandLineTest.h"

namespace skerrow {
namespace {

std::string Recipe(const std::string& name) {
  return ReadText(fs::path(SKERROW_SOURCE_DIR) / "dist" / "recipes" / name);
}

int CountFiles(const fs::path& dir) {
  std::error_code ignored;
  if (!fs::is_directory(dir, ignored)) return 0;
  int count = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dir, ignored)) {
    count += entry.is_regular_file(ignored) ? 1 : 0;
  }
  return count;
}

int MessagesIn(const fs::path& maildir) {
  return CountFiles(maildir / "cur") + CountFiles(maildir / "new");
}

TEST(RecipeTextTest, TheReadmeGivesEveryRecipeAsItIsTested) {
  const std::string readme = ReadText(fs::path(SKERROW_SOURCE_DIR) / "README.md");
  for (const char* name : {"procmailrc", "mailfilter", "fetchmailrc", "getmailrc", "mbsyncrc"}) {
    EXPECT_NE(readme.find(Recipe(name)), std::string::npos) << name;
  }
}

// A user, robin, whose home is a scratch folder: the store ~/Maildir, the
// prefix ~/.local/share/skerrow, the command ~/.local/bin/skerrow. The
// programs run in a mount namespace whose /etc/passwd gives them that home
// (procmail and maildrop take it from there, not from $HOME) and whose
// /var/mail is scratch too.
class RecipeTest : public CommandLineTest {
 protected:
  RecipeTest() {
    fs::create_directories(user() / ".local" / "bin");
    fs::create_symlink(SKERROW_BINARY, user() / ".local" / "bin" / "skerrow");
    fs::create_directories(maildir());
    fs::create_directories(base / "spool");
    std::ofstream(base / "passwd") << "root:x:0:0:Robin:" << user().string() << ":/bin/sh\n";
    namespaceCommand = geteuid() == 0 ? "unshare -m" : "unshare -r -m";
    canRunAsUser = std::system((namespaceCommand + " true 2>/dev/null").c_str()) == 0;
  }
  ~RecipeTest() override {
    if (held >= 0) close(held);
  }

  fs::path user() const { return base / "robin"; }
  fs::path maildir() const { return user() / "Maildir"; }
  fs::path inbox() const { return maildir() / "Inbox"; }

  // Runs a shell command line as robin; returns its exit status.
  Outcome AsUser(const std::string& commandLine, const std::string& input = "/dev/null") {
    const std::string inside =
        "mount --bind \"$0\" /etc/passwd && mount --bind \"$1\" /var/mail && cd && exec sh -c "
        "\"$2\"";
    const fs::path out = folder.path() / "user.out";
    const fs::path err = folder.path() / "user.err";
    const std::string command =
        "env -u SKERROW_HOME -u SKERROW_STORE HOME=" + Quote(user().string()) + " " +
        namespaceCommand + " sh -c " + Quote(inside) + " " + Quote((base / "passwd").string()) +
        " " + Quote((base / "spool").string()) + " " + Quote(commandLine) + " <" + Quote(input) +
        " >" + Quote(out.string()) + " 2>" + Quote(err.string());
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(out), ReadText(err)};
  }

  // Holds the store's lock as a running skerrow command does.
  void HoldTheStore() {
    held = open((maildir() / ".skerrow.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);
  }
  void ReleaseTheStore() {
    close(held);
    held = -1;
  }

  std::string namespaceCommand;
  bool canRunAsUser = false;
  int held = -1;
};

#define SKIP_WITHOUT(program)                                                \
  if (!HaveProgram(program)) GTEST_SKIP() << program << " is not installed"; \
  if (!canRunAsUser) GTEST_SKIP() << "cannot give the program a home of its own here"

// procmail and maildrop, each run with its rc file in robin's home.
struct MdaCase {
  const char* program;
  const char* recipe;
  const char* rcFile;
};

class MdaRecipeTest : public RecipeTest, public ::testing::WithParamInterface<MdaCase> {
 protected:
  void SetUp() override {
    SKIP_WITHOUT(GetParam().program);
    const fs::path rc = user() / GetParam().rcFile;
    std::ofstream(rc) << Recipe(GetParam().recipe);
    fs::permissions(rc, fs::perms::owner_read | fs::perms::owner_write);
  }
  Outcome Deliver(const std::string& message) { return AsUser(GetParam().program, message); }
};

TEST_P(MdaRecipeTest, FilesTheMessageIntoTheInboxThroughSkerrow) {
  const Outcome outcome = Deliver(EmptyBody());
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  ASSERT_EQ(MessagesIn(inbox()), 1);
  EXPECT_NE(AsUser("$HOME/.local/bin/skerrow stats").out.find("messages learned: 1 spam"),
            std::string::npos);
}

TEST_P(MdaRecipeTest, EndsWithTempfailAndKeepsNothingWhenTheStoreIsHeld) {
  fs::create_directories(inbox());
  HoldTheStore();
  EXPECT_EQ(Deliver(Plain()).status, 75);
  EXPECT_EQ(MessagesIn(inbox()), 0);
  ReleaseTheStore();
  EXPECT_EQ(Deliver(Plain()).status, 0);
  EXPECT_EQ(MessagesIn(inbox()), 1);
}

INSTANTIATE_TEST_SUITE_P(Programs, MdaRecipeTest,
                         ::testing::Values(MdaCase{"procmail", "procmailrc", ".procmailrc"},
                                           MdaCase{"maildrop", "mailfilter", ".mailfilter"}),
                         [](const auto& info) { return std::string(info.param.program); });

// A mail server over a scratch Maildir, robin's mailbox on it: dovecot's
// IMAP server as a tunnel (a process per connection), its POP3 server as a
// daemon on a loopback port.
class ServerRecipeTest : public RecipeTest {
 protected:
  ServerRecipeTest() {
    // Dovecot will not serve mail as root: it runs as nobody, which must be
    // able to reach the mailbox.
    char path[] = "/tmp/skerrow-server-XXXXXX";
    if (mkdtemp(path) != nullptr) server = path;
    if (geteuid() == 0) {
      const group* nogroup = getgrnam("nogroup");
      mailGroup = nogroup != nullptr ? nogroup->gr_gid : 65534;
    }
    fs::permissions(server, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    fs::create_directories(mailbox() / "new");
    fs::create_directories(mailbox() / "cur");
    fs::create_directories(mailbox() / "tmp");
    std::ofstream(server / "dovecot.conf")
        << "protocols = imap pop3\nlisten = 127.0.0.1\nssl = no\n"
        << "base_dir = " << (server / "run").string() << "\n"
        << "state_dir = " << (server / "state").string() << "\n"
        << "log_path = " << (server / "dovecot.log").string() << "\n"
        << "mail_location = maildir:" << mailbox().string() << ":LAYOUT=fs\n"
        << "disable_plaintext_auth = no\nauth_mechanisms = plain\n"
        << "passdb {\n  driver = static\n  args = password=secret\n}\n"
        << "userdb {\n  driver = static\n  args = uid=" << MailUser() << " gid=" << mailGroup
        << " home=" << server.string() << "\n}\n"
        << "service pop3-login {\n  chroot =\n  inet_listener pop3 {\n    port = " << port
        << "\n  }\n}\nservice imap-login {\n  chroot =\n  inet_listener imap {\n    port = 0\n"
        << "  }\n}\nservice anvil {\n  chroot =\n}\n"
        << (geteuid() == 0 ? ""
                           : "default_internal_user = " + MailUser() + "\n" +
                                 "default_login_user = " + MailUser() + "\n");
    Own(server);
  }
  ~ServerRecipeTest() override {
    daemon.reset();
    std::error_code ignored;
    fs::remove_all(server, ignored);
  }

  fs::path mailbox() const { return server / "mail"; }

  static std::string MailUser() {
    if (geteuid() == 0) return "nobody";
    const passwd* me = getpwuid(geteuid());
    return me != nullptr ? me->pw_name : "";
  }
  // Hands what the test wrote to the user the server runs as.
  void Own(const fs::path& path) {
    if (geteuid() != 0) return;
    const passwd* nobody = getpwnam("nobody");
    const group* nogroup = getgrnam("nogroup");
    if (nobody == nullptr || nogroup == nullptr) return;
    chown(path.c_str(), nobody->pw_uid, nogroup->gr_gid);
    for (const auto& entry : fs::recursive_directory_iterator(path)) {
      chown(entry.path().c_str(), nobody->pw_uid, nogroup->gr_gid);
    }
  }
  void OnServer(const std::string& name, const std::string& file) {
    fs::copy_file(file, mailbox() / "new" / name);
    Own(mailbox());
  }

  // The IMAP server of one connection, as a program that speaks on its
  // standard input and output (it checks that it is not root's).
  std::string Tunnel() const {
    return std::string(geteuid() == 0 ? "setpriv --reuid=nobody --regid=nogroup --clear-groups "
                                      : "") +
           "env USER=robin HOME=" + server.string() + " /usr/lib/dovecot/imap -c " +
           (server / "dovecot.conf").string();
  }

  // Starts the POP3 server; false when it does not answer within ten seconds.
  bool StartDaemon() {
    daemon = std::make_unique<BackgroundCommand>(
        std::vector<std::string>{"dovecot", "-F", "-c", (server / "dovecot.conf").string()},
        server / "daemon.out", server / "daemon.err");
    return BackgroundCommand::Eventually([this] {
      const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
      sockaddr_in address{};
      address.sin_family = AF_INET;
      address.sin_port = htons(static_cast<std::uint16_t>(port));
      address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      const bool up = connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
      close(s);
      return up;
    });
  }

  static int FreePort() {
    const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    close(s);
    return ntohs(address.sin_port);
  }

  fs::path server;
  gid_t mailGroup = getegid();
  int port = FreePort();
  std::unique_ptr<BackgroundCommand> daemon;
};

#define SKIP_WITHOUT_SERVER()                                                           \
  if (!fs::exists("/usr/lib/dovecot/imap")) GTEST_SKIP() << "dovecot is not installed"; \
  if (geteuid() == 0 && !HaveProgram("setpriv")) GTEST_SKIP() << "setpriv is not installed"

TEST_F(ServerRecipeTest, FetchmailDeletesAMessageOnTheServerOnlyOnceSkerrowHasFiledIt) {
  SKIP_WITHOUT("fetchmail");
  SKIP_WITHOUT_SERVER();
  OnServer("1.eml", EmptyBody());
  const fs::path rc = user() / ".fetchmailrc";
  std::ofstream(rc) << Recipe("fetchmailrc") << "poll localhost protocol imap plugin \"" << Tunnel()
                    << "\" user robin password secret sslproto ''\n";
  fs::permissions(rc, fs::perms::owner_read | fs::perms::owner_write);

  HoldTheStore();
  Outcome fetched = AsUser("fetchmail --nosyslog");
  EXPECT_EQ(MessagesIn(inbox()), 0) << fetched.err;
  EXPECT_EQ(MessagesIn(mailbox()), 1) << fetched.err;

  ReleaseTheStore();
  fetched = AsUser("fetchmail --nosyslog");
  EXPECT_EQ(fetched.status, 0) << fetched.err;
  EXPECT_EQ(MessagesIn(inbox()), 1) << fetched.err;
  EXPECT_EQ(MessagesIn(mailbox()), 0) << fetched.err;
}

TEST_F(ServerRecipeTest, GetmailLeavesAMessageOnTheServerUntilSkerrowHasFiledIt) {
  SKIP_WITHOUT("getmail");
  SKIP_WITHOUT_SERVER();
  OnServer("1.eml", Plain());
  if (!StartDaemon()) GTEST_SKIP() << "dovecot's POP3 server does not start here";
  std::string recipe = Recipe("getmailrc");
  if (geteuid() == 0) {
    // getmail runs no program for root unless told to; robin is root in here.
    const std::string arguments = "arguments = (\"deliver\", \"-\")\n";
    recipe.insert(recipe.find(arguments) + arguments.size(), "allow_root_commands = true\n");
  }
  fs::create_directories(user() / ".getmail");
  std::ofstream(user() / ".getmail" / "getmailrc")
      << recipe << "\n[retriever]\ntype = SimplePOP3Retriever\nserver = 127.0.0.1\nport = " << port
      << "\nusername = robin\npassword = secret\n";

  HoldTheStore();
  Outcome fetched = AsUser("getmail --quiet");
  EXPECT_NE(fetched.status, 0);
  EXPECT_EQ(MessagesIn(inbox()), 0) << fetched.err << ReadText(server / "dovecot.log");

  ReleaseTheStore();
  fetched = AsUser("getmail --quiet");
  EXPECT_EQ(fetched.status, 0) << fetched.err << ReadText(server / "dovecot.log");
  EXPECT_EQ(MessagesIn(inbox()), 1) << fetched.err << ReadText(server / "dovecot.log");
  // Fetched once: the next run brings nothing again.
  fetched = AsUser("getmail --quiet");
  EXPECT_EQ(fetched.status, 0) << fetched.err << ReadText(server / "dovecot.log");
  EXPECT_EQ(MessagesIn(inbox()), 1);
  EXPECT_EQ(MessagesIn(mailbox()), 1);
}

TEST_F(ServerRecipeTest, MbsyncAndWatchFilterTheInboxAndSyncTheSpamFolderBack) {
  SKIP_WITHOUT("mbsync");
  SKIP_WITHOUT_SERVER();
  OnServer("1.eml", EmptyBody());
  OnServer("2.eml", Plain());
  std::ofstream(user() / ".mbsyncrc") << "IMAPAccount remote\nTunnel \"" << Tunnel()
                                      << "\"\nSSLType None\n\nIMAPStore remote\nAccount remote\n\n"
                                      << Recipe("mbsyncrc");
  ASSERT_EQ(AsUser("$HOME/.local/bin/skerrow options bSpamAutoMove=1").status, 0);

  BackgroundCommand watch({"env", "-u", "SKERROW_HOME", "-u", "SKERROW_STORE",
                           "HOME=" + user().string(), SKERROW_BINARY, "watch"},
                          folder.path() / "watch.out", folder.path() / "watch.err");
  Outcome synced = AsUser("mbsync -a");
  ASSERT_EQ(synced.status, 0) << synced.err;
  ASSERT_TRUE(BackgroundCommand::Eventually([&] {
    const std::string lines = ReadText(folder.path() / "watch.out");
    return std::count(lines.begin(), lines.end(), '\n') == 2;
  })) << ReadText(folder.path() / "watch.out")
      << ReadText(folder.path() / "watch.err");
  EXPECT_EQ(MessagesIn(maildir() / "Junk E-mail"), 1);

  synced = AsUser("mbsync -a");
  EXPECT_EQ(synced.status, 0) << synced.err;
  EXPECT_EQ(MessagesIn(mailbox() / "Junk E-mail"), 1) << synced.err;
  EXPECT_EQ(watch.Stop(SIGTERM), 0);
}

}  // namespace
}  // namespace skerrow

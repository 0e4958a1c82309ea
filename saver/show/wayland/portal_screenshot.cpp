// The bus is spoken with libdbus (which QtDBus itself runs on): a call and a
// wait for one signal, each bounded by the deadline, work as they are in any
// process, where QtDBus would hand the answer only through a running Qt event
// loop to a receiver made by moc. The picture file (the portals save PNG) is
// read with QImage, which the host has with Qt already.
#include "portal_screenshot.h"

#include <dbus/dbus.h>

#include <QFile>
#include <QImage>
#include <QUrl>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace qg::show {

namespace {

constexpr const char* kPortal = "org.freedesktop.portal.Desktop";
constexpr const char* kRequest = "org.freedesktop.portal.Request";

int MillisecondsLeft(Deadline deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

struct Message {
  DBusMessage* m;
  explicit Message(DBusMessage* message) : m(message) {}
  ~Message() {
    if (m) dbus_message_unref(m);
  }
  Message(const Message&) = delete;
  Message& operator=(const Message&) = delete;
};

// The session bus on a connection of our own, closed again at the end, so
// that nothing of it stays in the host. Its hello is sent by hand, as
// dbus_bus_register would wait for the answer up to 25 seconds.
class SessionBus {
 public:
  explicit SessionBus(Deadline deadline) {
    const char* given = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    // Without an address, the user's bus at its usual place; never libdbus's
    // own fall-back, which may start a bus of its own through X11.
    std::string address = given && *given ? given : runtime ? std::string("unix:path=") + runtime + "/bus" : "";
    if (address.empty()) return;
    DBusError error;
    dbus_error_init(&error);
    c_ = dbus_connection_open_private(address.c_str(), &error);
    dbus_error_free(&error);
    if (!c_) return;
    dbus_connection_set_exit_on_disconnect(c_, FALSE);
    Message hello(dbus_message_new_method_call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                               "org.freedesktop.DBus", "Hello"));
    Message reply(Call(hello.m, deadline));
    const char* name = nullptr;
    if (reply.m && dbus_message_get_args(reply.m, nullptr, DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID))
      registered_ = dbus_bus_set_unique_name(c_, name);
  }
  ~SessionBus() {
    if (!c_) return;
    dbus_connection_close(c_);
    dbus_connection_unref(c_);
  }
  SessionBus(const SessionBus&) = delete;
  SessionBus& operator=(const SessionBus&) = delete;

  bool ok() const { return registered_; }
  DBusConnection* get() const { return c_; }

  DBusMessage* Call(DBusMessage* call, Deadline deadline) {
    if (!call) return nullptr;
    DBusError error;
    dbus_error_init(&error);
    DBusMessage* reply =
        dbus_connection_send_with_reply_and_block(c_, call, std::max(MillisecondsLeft(deadline), 1), &error);
    dbus_error_free(&error);
    return reply;
  }

 private:
  DBusConnection* c_ = nullptr;
  bool registered_ = false;
};

void AppendOption(DBusMessageIter* options, const char* key, int type, const void* value) {
  const char signature[2] = {static_cast<char>(type), '\0'};
  DBusMessageIter entry, variant;
  dbus_message_iter_open_container(options, DBUS_TYPE_DICT_ENTRY, nullptr, &entry);
  dbus_message_iter_append_basic(&entry, DBUS_TYPE_STRING, &key);
  dbus_message_iter_open_container(&entry, DBUS_TYPE_VARIANT, signature, &variant);
  dbus_message_iter_append_basic(&variant, type, value);
  dbus_message_iter_close_container(&entry, &variant);
  dbus_message_iter_close_container(options, &entry);
}

// The picture's URI from a Response (code 0, then results with "uri"); ""
// when the portal refused or gave none.
std::string UriOf(DBusMessage* response) {
  DBusMessageIter args, results;
  dbus_uint32_t code = 1;
  if (!dbus_message_iter_init(response, &args) || dbus_message_iter_get_arg_type(&args) != DBUS_TYPE_UINT32) return {};
  dbus_message_iter_get_basic(&args, &code);
  if (code != 0 || !dbus_message_iter_next(&args) || dbus_message_iter_get_arg_type(&args) != DBUS_TYPE_ARRAY)
    return {};
  for (dbus_message_iter_recurse(&args, &results); dbus_message_iter_get_arg_type(&results) == DBUS_TYPE_DICT_ENTRY;
       dbus_message_iter_next(&results)) {
    DBusMessageIter entry, value;
    const char* key = nullptr;
    const char* uri = nullptr;
    dbus_message_iter_recurse(&results, &entry);
    if (dbus_message_iter_get_arg_type(&entry) != DBUS_TYPE_STRING) continue;
    dbus_message_iter_get_basic(&entry, &key);
    if (std::strcmp(key, "uri") != 0 || !dbus_message_iter_next(&entry)) continue;
    dbus_message_iter_recurse(&entry, &value);
    if (dbus_message_iter_get_arg_type(&value) != DBUS_TYPE_STRING) continue;
    dbus_message_iter_get_basic(&value, &uri);
    return uri;
  }
  return {};
}

OutputBuffer ReadPicture(const std::string& uri) {
  const QString path = QUrl(QString::fromStdString(uri)).toLocalFile();
  if (path.isEmpty()) return {};
  auto image = std::make_shared<QImage>(QImage(path).convertToFormat(QImage::Format_RGBX8888));
  const QByteArray file = QFile::encodeName(path);
  struct stat st;
  if (lstat(file.constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == getuid()) unlink(file.constData());
  if (image->isNull()) return {};
  OutputBuffer picture;
  // Red, green, blue, unused bytes on every machine: little-endian XBGR words.
  picture.pixels = std::shared_ptr<uint8_t>(image, const_cast<uint8_t*>(image->constBits()));
  picture.width = image->width();
  picture.height = image->height();
  picture.stride = static_cast<size_t>(image->bytesPerLine());
  picture.format = BufferFormat::kXbgr8888;
  picture.place = {0, 0, picture.width, picture.height};
  return picture;
}

}  // namespace

OutputBuffer PortalScreenshot(Deadline deadline) {
  SessionBus bus(deadline);
  if (!bus.ok()) return {};
  Message call(dbus_message_new_method_call(kPortal, "/org/freedesktop/portal/desktop",
                                            "org.freedesktop.portal.Screenshot", "Screenshot"));
  if (!call.m) return {};
  const char* parentWindow = "";
  const dbus_bool_t interactive = FALSE;
  DBusMessageIter args, options;
  dbus_message_iter_init_append(call.m, &args);
  dbus_message_iter_append_basic(&args, DBUS_TYPE_STRING, &parentWindow);
  dbus_message_iter_open_container(&args, DBUS_TYPE_ARRAY, "{sv}", &options);
  AppendOption(&options, "interactive", DBUS_TYPE_BOOLEAN, &interactive);
  dbus_message_iter_close_container(&args, &options);
  Message reply(bus.Call(call.m, deadline));
  const char* handle = nullptr;
  if (!reply.m || !dbus_message_get_args(reply.m, nullptr, DBUS_TYPE_OBJECT_PATH, &handle, DBUS_TYPE_INVALID))
    return {};
  const std::string request = handle;
  // The answer is a signal addressed to us alone, so no match rule is needed.
  std::string uri;
  bool answered = false;
  for (;;) {
    while (DBusMessage* m = dbus_connection_pop_message(bus.get())) {
      Message message(m);
      const char* path = dbus_message_get_path(m);
      if (dbus_message_is_signal(m, kRequest, "Response") && path && request == path) {
        answered = true;
        uri = UriOf(m);
      }
    }
    const int left = MillisecondsLeft(deadline);
    if (answered || left == 0 || !dbus_connection_read_write(bus.get(), left)) break;
  }
  if (!answered) {
    // Withdrawn, so that the portal does not go on to photograph for nobody.
    Message close(dbus_message_new_method_call(kPortal, request.c_str(), kRequest, "Close"));
    if (close.m) dbus_connection_send(bus.get(), close.m, nullptr);
    dbus_connection_flush(bus.get());
    return {};
  }
  return uri.empty() ? OutputBuffer{} : ReadPicture(uri);
}

}  // namespace qg::show

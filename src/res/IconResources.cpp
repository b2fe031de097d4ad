#include "res/IconResources.h"

#include "res/CommandIds.h"

#include <map>

// The images are in a static library, so their registration must be pulled in by a call
// (outside any namespace, as the registration function is global).
static void EnsureIconResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(Icons);
        return true;
    }();
    (void)registered;
}

namespace {

QString IconPath(const char* name)
{
    return QStringLiteral(":/icons/%1.png").arg(QLatin1String(name));
}

// The resource file of key in files; "" for a key without one.
QString FileOf(const std::map<int, const char*>& files, int key)
{
    EnsureIconResources();
    const auto found = files.find(key);
    return found == files.end() ? QString() : IconPath(found->second);
}

} // namespace

QString ResourceIconFile(int id)
{
    static const std::map<int, const char*> files{
        {128, "app32"},
        {338, "schedule_start"},
        {346, "schedule_start_off"},
        {343, "schedule_stop"},
        {348, "schedule_stop_off"},
        {341, "lamp_good"},
        {339, "lamp_bad"},
        {347, "lamp_dark"},
        {362, "connect"},
        {363, "connect_off"},
        {364, "disconnect"},
        {365, "disconnect_off"},
        {366, "receive"},
        {367, "receive_off"},
        {368, "viewdata"},
        {369, "viewdata_off"},
    };
    return FileOf(files, id);
}

QPixmap LoadResourceIcon(int id)
{
    const QString file = ResourceIconFile(id);
    return file.isEmpty() ? QPixmap() : QPixmap(file);
}

QImage LoadResourceBitmap(int id)
{
    static const std::map<int, const char*> files{
        {372, "measuring1"},
        {373, "measuring2"},
    };
    const QString file = FileOf(files, id);
    return file.isEmpty() ? QImage() : QImage(file);
}

QIcon ToolbarIcon(int commandId)
{
    static const std::map<int, const char*> files{
        {ID_OPEN_LOGGER, "tb_open"},
        {ID_CONNECT, "tb_connect"},
        {ID_DISCONNECT, "tb_disconnect"},
        {ID_RECEIVE_DATA, "tb_receive"},
        {ID_VIEW_DATA, "tb_data"},
        {ID_VIEW_GRAPH, "tb_graph"},
        {ID_LOGGER_SETTING, "tb_setting"},
        {ID_ZIGBEE_SET, "tb_zigbee"},
    };
    const QString file = FileOf(files, commandId);
    return file.isEmpty() ? QIcon() : QIcon(file);
}

QIcon ProgramIcon()
{
    EnsureIconResources();
    QIcon icon(IconPath("app32"));
    icon.addFile(IconPath("app64"));
    return icon;
}

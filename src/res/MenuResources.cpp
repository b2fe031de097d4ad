#include "res/MenuResources.h"

#include "res/CommandIds.h"

const std::vector<PopupResource>& Menu128()
{
    static const std::vector<PopupResource> menu{
        {"File(&F)",
            {{ID_OPEN_LOGGER, "Open Logger"}, {ID_CLOSE_LOGGER, "Close Logger"}, {0, nullptr},
                {ID_APP_EXIT, "E&xit"}}},
        {"Connect(&C)",
            {{ID_CONNECT, "Connect"}, {ID_CONNECT_OPTION, "Connect Option"},
                {ID_DISCONNECT, "Disconnect"}, {0, nullptr}, {ID_RECEIVE_DATA, "Receive Data"},
                {ID_MEMORY_CHECK, "Memory Check"}, {ID_FORMAT_MEMORY, "Format Memory"},
                {0, nullptr}, {ID_TIME_SET_CHECK, "Time Set Check"},
                {ID_LOGGER_RESET, "Logger Reset"}}},
        {"View(&V)", {{ID_VIEW_DATA, "Data"}, {ID_VIEW_GRAPH, "Graph"}}},
        {"Setting(&S)", {{ID_LOGGER_SETTING, "Logger Setting"}, {ID_ZIGBEE_SET, "Zigbee set"}}},
        {"About(&A)", {{ID_APP_ABOUT, "&About Quorbel"}}},
    };
    return menu;
}

const std::vector<int>& Toolbar129()
{
    static const std::vector<int> buttons{ID_OPEN_LOGGER, ID_CONNECT, ID_DISCONNECT, 0,
        ID_RECEIVE_DATA, ID_VIEW_DATA, ID_VIEW_GRAPH, 0, ID_LOGGER_SETTING, ID_ZIGBEE_SET};
    return buttons;
}

const PopupResource& ContextMenu119()
{
    static const PopupResource menu{
        "편집", {{ID_EDIT_CUT, "Cu&t"}, {ID_EDIT_COPY, "&Copy"}, {ID_EDIT_PASTE, "&Paste"}}};
    return menu;
}

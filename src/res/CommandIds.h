#pragma once

// Command numbers of the main frame's menu 128 and toolbar 129.
inline constexpr int ID_OPEN_LOGGER = 32771;
inline constexpr int ID_CLOSE_LOGGER = 32772;
inline constexpr int ID_CONNECT = 32773;
inline constexpr int ID_CONNECT_OPTION = 32774;
inline constexpr int ID_DISCONNECT = 32775;
inline constexpr int ID_RECEIVE_DATA = 32776;
inline constexpr int ID_MEMORY_CHECK = 32777;
inline constexpr int ID_FORMAT_MEMORY = 32778;
inline constexpr int ID_TIME_SET_CHECK = 32779;
inline constexpr int ID_LOGGER_RESET = 32780;
inline constexpr int ID_VIEW_DATA = 32781;
inline constexpr int ID_VIEW_GRAPH = 32782;
inline constexpr int ID_ZIGBEE_SET = 32784;
inline constexpr int ID_LOGGER_SETTING = 32785;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;

// Context menu 119 of the main screen.
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_PASTE = 57637;

// Status bar panes: the message pane and the lock indicators.
inline constexpr int ID_SEPARATOR = 0;
inline constexpr int ID_INDICATOR_CAPS = 59137;
inline constexpr int ID_INDICATOR_NUM = 59138;
inline constexpr int ID_INDICATOR_SCRL = 59139;

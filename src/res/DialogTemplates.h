#pragma once

#include "platform/DialogTemplate.h"

// The program's dialog and form templates, by resource number.
const DialogTemplate& Dialog317(); // timed message ("Error" and others)
const DialogTemplate& Dialog100(); // About box
const DialogTemplate& Dialog101(); // main screen form
const DialogTemplate& Dialog311(); // Open Logger: configuration files and the list to open
const DialogTemplate& Dialog312(); // Connect Option: the configuration editor
const DialogTemplate& Dialog324(); // the network's logger IDs
const DialogTemplate& Dialog159(); // download of stored records ("Data Receive")
const DialogTemplate& Dialog319(); // connect ("Connect")
const DialogTemplate& Dialog160(); // wait popup of the logger jobs ("Quorbel")
const DialogTemplate& Dialog322(); // logger buttons of the current configuration
const DialogTemplate& Dialog139(); // channel and schedule settings of one logger
const DialogTemplate& Dialog140(); // the data window ("Data")
const DialogTemplate& Dialog327(); // manual measurement ("Measurement")
const DialogTemplate& Dialog137(); // clock and table style ("Time Set")
const DialogTemplate& Dialog135(); // memory check of one logger ("Memory Check")
const DialogTemplate& Dialog134(); // memory erase of one logger ("Format memory")
const DialogTemplate& Dialog313(); // reset of one logger ("Reset")
const DialogTemplate& Dialog154(); // radio module set-up on a port of its own ("Zigbee set")
const DialogTemplate& Dialog141(); // the graph window ("Graph")
const DialogTemplate& Dialog146(); // graph settings ("Graph Setting")

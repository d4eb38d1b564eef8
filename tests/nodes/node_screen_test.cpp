#include "nodes/node_screen.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "nodes/node_rig.h"
#include "support/key_names.h"
#include "support/rig.h"

namespace {

using nodes::NodeConfig;
using nodes_test::DefaultFile;
using nodes_test::Defaults;
using nodes_test::NodeRig;
using testsupport::Rig;
using namespace testsupport::keys;

TEST(NodeScreen, FirstVisitInAnEmptyDirectoryAsksToCreateNodeOne) {
  NodeRig yes;
  NodeConfig c = Defaults();
  yes.rig.console.Type("y");
  nodes::ReadCurrentNode(yes.rig.ui, yes.run, c);
  EXPECT_NE(yes.rig.Row(12).find("\xBA Node 1 doesn't exist. Create it?  \xBA"), std::string::npos);
  EXPECT_EQ(yes.dir.Snapshot(), "NODE1.DAT=" + DefaultFile(1) + "\n");

  // No goes back to the previous node, which is 0 when nothing came before.
  NodeRig no;
  no.Configure("n");
  EXPECT_EQ(no.Shown(1), "Node Number                 : 0");
  EXPECT_EQ(no.dir.Snapshot(), "NODE0.DAT=" + DefaultFile(0) + "\n");
}

TEST(NodeScreen, ShowsTheNodeAndWritesItsChangesWhenLeft) {
  NodeRig t;
  NodeConfig c = Defaults();
  c.BbsType = 8;
  c.FossilMode = 3;
  c.LockedBaud = 38400;
  c.SendReset = c.DirectWrites = true;
  t.dir.Write("node1.dat", nodes::FormatNodeFile(c, 1));  // any letter case
  t.Configure("89ABC2My BBS\r4/bbs/drop/\r" + kF1);       // the five switches; F1 does nothing
  EXPECT_EQ(t.rig.Row(1).substr(24, 30), "** KELD 4.07 Node Configure **");
  EXPECT_EQ(t.Shown(2), "BBS Name                    : My BBS");
  EXPECT_EQ(t.Shown(3), "BBS Software                : PCBoard14");
  EXPECT_EQ(t.Shown(5), "Fossil / Internal           : Using Digiboard setting");
  EXPECT_EQ(t.Shown(6), "Locked port speed           : 38400");
  EXPECT_EQ(t.Shown(7), "Comport                     : Read from dropfile");
  EXPECT_EQ(t.Shown(8), "Send Open Comports command  : Yes!");
  EXPECT_EQ(t.Shown(12), "The status bar is           : Disabled!");
  std::string file;
  for (const char* line :
       {"**Garn Vosk's Node Data System, for node 1", "BBSNAME My BBS", "BBSTYPE PCBoard14",
        ";COMPORT 0", "DIGI", "LOCKBAUD 38400", "STATUS OFF", "STATFORE 15", "STATBACK 1", "COLOR1",
        "NODIRECT", ";UNUSED", "BBSDROP /bbs/drop/", ";UNUSED", "NORESET", ";UNUSED"})
    file += std::string(line) + "\r\n";
  EXPECT_EQ(t.dir.Snapshot(), "node1.dat=" + file + "\n");
}

TEST(NodeScreen, BbsTypePickerAndTheDorinfoChoice) {
  NodeRig t;
  t.dir.Write("NODE1.DAT", DefaultFile(1));
  t.Configure("3B");
  EXPECT_EQ(t.Line("NODE1.DAT", 3), "BBSTYPE 2am-bbs");
  // QBBS and RBBS16+ go on to the DORINFO choice, which waits for 1 or 2.
  for (auto [keys, type, dorinfo] :
       {std::tuple{"311", "BBSTYPE QBBS", "ALLNODES"}, {"35x2", "BBSTYPE RBBS16+", ";UNUSED"}}) {
    t.Configure(keys);
    EXPECT_EQ(t.Line("NODE1.DAT", 3), type) << keys;
    EXPECT_EQ(t.Line("NODE1.DAT", 12), dorinfo) << keys;
  }
  nodes::NodeConfig c = Defaults();
  t.rig.console.Type("C1");
  nodes::ChooseBbsType(t.rig.ui, c);
  EXPECT_EQ(t.rig.Row(14).substr(8, 28), "2am-bbs   (Using JUMPER.DAT)");
  EXPECT_EQ(t.rig.Row(16).substr(8, 34), "Local     (Does not use drop file)");
  nodes::ChooseDorinfo(t.rig.ui, c);
  EXPECT_EQ(t.rig.Row(9).substr(0, 49), "  (2) Read DorinfoX.def, X being the node number.");
  EXPECT_EQ(t.rig.Row(12).substr(0, 7), "  (1,2)");
}

TEST(NodeScreen, SubScreensTakeHotKeysEscapeTakesTheirLastEntry) {
  Rig rig;
  NodeConfig c = Defaults();
  c.BbsType = 2;
  c.FossilMode = 1;
  c.LockedBaud = 2400;
  c.ComPortLine = "COMPORT 1";
  const NodeConfig before = c;
  auto each = [&](const std::string& key) {
    for (auto choose : {nodes::ChooseBbsType, nodes::ChooseFossil, nodes::ChooseLockedSpeed,
                        nodes::ChooseComPort}) {
      rig.console.Type(key);
      choose(rig.ui, c);
    }
  };
  each(kF3);
  EXPECT_TRUE(c == before);
  each(kEsc);
  EXPECT_EQ(c.BbsType, 13);
  EXPECT_EQ(c.LockedBaud, 115200);
  EXPECT_EQ(c.ComPortLine, ";COMPORT 0");
  rig.console.Type("35");
  nodes::ChooseFossil(rig.ui, c);
  nodes::ChooseLockedSpeed(rig.ui, c);
  EXPECT_EQ(c.FossilMode, 0);
  EXPECT_EQ(c.LockedBaud, 19200);
}

TEST(NodeScreen, ForcedAndNonstandardComPorts) {
  Rig rig;
  NodeConfig c = Defaults();
  auto choose = [&](const char* keys) {
    rig.console.Type(keys);
    nodes::ChooseComPort(rig.ui, c);
    return c.ComPortLine;
  };
  EXPECT_EQ(choose("13\r"), "COMPORT 3");
  EXPECT_EQ(rig.Row(10).substr(0, 57), "What com port would you like to force this node to use? 3");
  EXPECT_EQ(choose("2\r"), "PORT1 03F8 4");  // offered instead of a COMPORT line
  EXPECT_EQ(rig.Row(10).substr(0, 41), "Enter info in format shown : PORT1 03F8 4");

  NodeRig t;  // an empty forced port is kept and shown as nothing
  t.dir.Write("NODE1.DAT", DefaultFile(1));
  t.Configure("71\r");
  EXPECT_EQ(t.Shown(7), "Comport                     :");
  EXPECT_EQ(t.Line("NODE1.DAT", 4), "");
}

TEST(NodeScreen, MovingBetweenNodesAndTheNodeNumberField) {
  // The brackets stop at node 0 and node 150 ("y" would create a file
  // after a move).
  for (int node : {0, 150}) {
    NodeRig t;
    t.numbers = {static_cast<uint8_t>(node), 7};
    t.dir.Write(nodes::NodeFileName(node), DefaultFile(node));
    std::string before = t.dir.Snapshot();
    t.Configure(node == 0 ? "[y" : "]y");
    EXPECT_EQ(t.numbers.Current, node);
    EXPECT_EQ(t.numbers.Previous, 7);
    EXPECT_EQ(t.dir.Snapshot(), before);
  }

  NodeRig t;
  NodeConfig four = Defaults();
  four.BbsName = "Fourth";
  t.dir.Write("NODE4.DAT", nodes::FormatNodeFile(four, 4));
  t.numbers.Current = 4;
  t.Configure("]n");  // No: node 4 again, with its settings
  EXPECT_EQ(t.Shown(1), "Node Number                 : 4");
  EXPECT_FALSE(t.dir.Exists("NODE5.DAT"));

  // Yes: node 5 starts as a copy of the node left; going back reads node 4.
  t.Configure("2Changed\r]y[");
  EXPECT_EQ(t.Line("NODE5.DAT", 2), "BBSNAME Changed");
  EXPECT_EQ(t.dir.Read("NODE4.DAT").substr(44), t.dir.Read("NODE5.DAT").substr(44));
  EXPECT_EQ(t.numbers.Current, 4);
  EXPECT_EQ(t.numbers.Previous, 5);

  // The field takes two digits: -1 starts it again, "0" of 150 does not fit.
  t.Configure("1-1\r150\ry");
  EXPECT_EQ(t.numbers.Current, 15);
  EXPECT_EQ(t.dir.Read("NODE15.DAT").substr(45), t.dir.Read("NODE5.DAT").substr(44));
  // A node above 99, reached with the brackets, stays on Enter.
  t.numbers.Current = 120;
  t.dir.Write("NODE120.DAT", DefaultFile(120));
  t.Configure("1\r");
  EXPECT_EQ(t.Shown(1), "Node Number                 : 120");
}

}  // namespace

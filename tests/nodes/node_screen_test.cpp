#include "nodes/node_screen.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "nodes/node_rig.h"

namespace {

using nodes::NodeConfig;
using nodes_test::Defaults;
using nodes_test::NodeRig;
using namespace testsupport::keys;

TEST(NodeScreen, ShowsTheNodeAndWritesItsChangesWhenLeftAndTheSubScreens) {
  NodeRig t;
  NodeConfig c = Defaults();
  c.BbsType = 8;
  c.FossilMode = 3;
  c.LockedBaud = 38400;
  c.SendReset = c.DirectWrites = true;
  t.dir.Write("node1.dat", nodes::FormatNodeFile(c, 1));  // any letter case
  t.Configure("89ABC2My BBS\r4/bbs/drop/\r" + kF1);       // the five switches; F1 does nothing
  EXPECT_EQ(t.rig.Row(1).substr(24, 30), "** KELD 4.07 Node Configure **");
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

  // The sub-screens take hot keys; Escape takes their last entry, and F3
  // leaves them changing nothing.
  t.Configure("5365");  // internal routines and 19200
  EXPECT_EQ(t.Line(5), ";FOSSIL");
  EXPECT_EQ(t.Line(6), "LOCKBAUD 19200");
  t.Configure("3B");
  EXPECT_TRUE(t.rig.Showed("2am-bbs   (Using JUMPER.DAT)"));
  EXPECT_TRUE(t.rig.Showed("Local     (Does not use drop file)"));
  EXPECT_EQ(t.Line(3), "BBSTYPE 2am-bbs");
  // QBBS and RBBS16+ go on to the DORINFO choice, which waits for 1 or 2.
  for (auto [keys, type, dorinfo] :
       {std::tuple{"311", "BBSTYPE QBBS", "ALLNODES"}, {"35x2", "BBSTYPE RBBS16+", ";UNUSED"}}) {
    t.Configure(keys);
    EXPECT_EQ(t.Line(3), type) << keys;
    EXPECT_EQ(t.Line(12), dorinfo) << keys;
  }
  EXPECT_TRUE(t.rig.Showed("  (2) Read DorinfoX.def, X being the node number."));
  t.Configure("5" + kEsc + "5" + kF3 + "6" + kEsc + "6" + kF3 + "3" + kEsc + "3" + kF3);
  EXPECT_EQ(t.Line(3), "BBSTYPE Local");
  EXPECT_EQ(t.Line(5), "DIGI");
  EXPECT_EQ(t.Line(6), "LOCKBAUD 115200");
  t.Configure("713\r");
  EXPECT_TRUE(t.rig.Showed("What com port would you like to force this node to use? 3"));
  EXPECT_EQ(t.Line(4), "COMPORT 3");
  t.Configure("72\r");  // offered instead of a COMPORT line
  EXPECT_TRUE(t.rig.Showed("Enter info in format shown : PORT1 03F8 4"));
  EXPECT_EQ(t.Line(4), "PORT1 03F8 4");
  t.Configure("7" + kEsc + "7" + kF3);  // Escape: the port from the drop file
  EXPECT_EQ(t.Line(4), ";COMPORT 0");
  t.Configure("71\r");  // an empty forced port is kept and shown as nothing
  EXPECT_EQ(t.Shown(7), "Comport                     :");
  EXPECT_EQ(t.Line(4), "");
}

TEST(NodeScreen, MovingBetweenNodesAndTheNodeNumberField) {
  // On the first visit No goes back to the previous node, 0 at start; the
  // brackets stop at node 0 and node 150 ("y" would create a file after a
  // move).
  NodeRig t;
  t.Configure("n[y");
  EXPECT_EQ(t.Shown(1), "Node Number                 : 0");
  EXPECT_EQ(t.dir.Snapshot(), "NODE0.DAT=" + nodes::FormatNodeFile(Defaults(), 0) + "\n");
  // A node above 99, reached with the brackets, stays on Enter.
  t.numbers = {150, 7};
  t.dir.Write("NODE150.DAT", nodes::FormatNodeFile(Defaults(), 150));
  t.Configure("]y1\r");
  EXPECT_EQ(t.Shown(1), "Node Number                 : 150");
  EXPECT_FALSE(t.dir.Exists("NODE151.DAT"));

  NodeConfig four = Defaults();
  four.BbsName = "Fourth";
  t.dir.Write("NODE4.DAT", nodes::FormatNodeFile(four, 4));
  t.numbers.Current = 4;
  t.Configure("]n");  // No: node 4 again, with its settings
  EXPECT_EQ(t.Shown(2), "BBS Name                    : Fourth");
  EXPECT_FALSE(t.dir.Exists("NODE5.DAT"));

  // Yes: node 5 starts as a copy of the node left; going back reads node 4.
  t.Configure("2Changed\r]y[");
  EXPECT_EQ(t.Line(2, "NODE5.DAT"), "BBSNAME Changed");
  EXPECT_EQ(t.dir.Read("NODE4.DAT").substr(44), t.dir.Read("NODE5.DAT").substr(44));
  EXPECT_EQ(t.numbers.Current, 4);
  EXPECT_EQ(t.numbers.Previous, 5);

  // The field takes two digits: -1 starts it again, "0" of 150 does not fit.
  t.Configure("1-1\r150\ry");
  EXPECT_EQ(t.numbers.Current, 15);
  EXPECT_EQ(t.dir.Read("NODE15.DAT").substr(45), t.dir.Read("NODE5.DAT").substr(44));
}

}  // namespace

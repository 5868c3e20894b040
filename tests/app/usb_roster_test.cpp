// The record of announced USB bridges: a removal reports the path its
// arrival announced, and a comparison with the attached devices reports
// exactly the differences.
#include <gtest/gtest.h>

#include "link/usb_hotplug.h"

namespace {

using Key = UsbDeviceRoster::Key;

TEST(UsbDeviceRoster, RemovalCarriesThePathOfTheArrival) {
  UsbDeviceRoster roster;
  const Key a = UsbDeviceRoster::MakeKey(1, 4);
  const Key b = UsbDeviceRoster::MakeKey(2, 4);
  EXPECT_NE(a, b);
  const DeviceNotification arrivedA = roster.Arrive(a, "path-a");
  roster.Arrive(b, "path-b");
  EXPECT_EQ(arrivedA.event, DBT_DEVICEARRIVAL);
  EXPECT_EQ(arrivedA.record.deviceType, DBT_DEVTYP_DEVICEINTERFACE);
  EXPECT_EQ(arrivedA.record.devicePath, "path-a");

  DeviceNotification removal;
  ASSERT_TRUE(roster.Leave(b, removal));
  EXPECT_EQ(removal.event, DBT_DEVICEREMOVECOMPLETE);
  EXPECT_EQ(removal.record.deviceType, DBT_DEVTYP_DEVICEINTERFACE);
  EXPECT_EQ(removal.record.devicePath, "path-b");
  EXPECT_FALSE(roster.Leave(b, removal)) << "a device leaves only once";
  EXPECT_EQ(removal.record.devicePath, "path-b") << "nothing reported, nothing changed";
  ASSERT_TRUE(roster.Leave(a, removal));
  EXPECT_EQ(removal.record.devicePath, "path-a");
  EXPECT_EQ(roster.Size(), 0u);
}

TEST(UsbDeviceRoster, RememberedDevicesAreNotAnnouncedButTheirRemovalIs) {
  UsbDeviceRoster roster;
  roster.Remember(UsbDeviceRoster::MakeKey(1, 2), "present-at-start");
  int pathLookups = 0;
  auto pathOf = [&](Key) {
    ++pathLookups;
    return std::string("new");
  };
  EXPECT_TRUE(roster.Reconcile({UsbDeviceRoster::MakeKey(1, 2)}, pathOf).empty());
  const auto changes = roster.Reconcile({}, pathOf);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].event, DBT_DEVICEREMOVECOMPLETE);
  EXPECT_EQ(changes[0].record.devicePath, "present-at-start");
  EXPECT_EQ(pathLookups, 0);
}

TEST(UsbDeviceRoster, ReconcileReportsRemovalsThenArrivalsAndLooksUpOnlyNewDevices) {
  UsbDeviceRoster roster;
  const Key kept = UsbDeviceRoster::MakeKey(1, 2);
  const Key gone = UsbDeviceRoster::MakeKey(1, 3);
  const Key fresh = UsbDeviceRoster::MakeKey(3, 9);
  roster.Remember(kept, "kept");
  roster.Remember(gone, "gone");
  std::vector<Key> looked;
  auto pathOf = [&](Key key) {
    looked.push_back(key);
    return "path-" + std::to_string(key);
  };
  const auto changes = roster.Reconcile({fresh, kept, fresh}, pathOf);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].event, DBT_DEVICEREMOVECOMPLETE);
  EXPECT_EQ(changes[0].record.devicePath, "gone");
  EXPECT_EQ(changes[1].event, DBT_DEVICEARRIVAL);
  EXPECT_EQ(changes[1].record.devicePath, "path-" + std::to_string(fresh));
  EXPECT_EQ(looked, std::vector<Key>{fresh});
  EXPECT_TRUE(roster.Knows(fresh));
  EXPECT_FALSE(roster.Knows(gone));
  EXPECT_TRUE(roster.Reconcile({fresh, kept}, pathOf).empty()) << "no change, nothing reported";
}

}  // namespace

// The device-change filter and the device paths it is fed with.
#include <gtest/gtest.h>

#include "app/device_filter.h"
#include "link/device_path.h"

namespace {

const std::string kBridgePath =
    R"(\\?\USB#VID_10C4&PID_EA61#Tx_v1.0#{3C5E1462-5695-4E18-876B-F3F3D08AAF18})";

TDeviceChangeAction Filter(uint32_t event, uint32_t type, const std::string& path) {
  const DeviceBroadcast record{type, path};
  return FilterDeviceChange(event, &record);
}

TEST(DeviceFilter, ArrivalAndRemovalOfTheBridgeCount) {
  EXPECT_EQ(Filter(DBT_DEVICEARRIVAL, DBT_DEVTYP_DEVICEINTERFACE, kBridgePath), dcaArrived);
  EXPECT_EQ(Filter(DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_DEVICEINTERFACE, kBridgePath), dcaRemoved);
}

TEST(DeviceFilter, MarkerIsFoundAnywhereInThePath) {
  EXPECT_EQ(Filter(DBT_DEVICEARRIVAL, 5, "#Tx_v1.0#"), dcaArrived);
  EXPECT_EQ(Filter(DBT_DEVICEARRIVAL, 5, "prefix#Tx_v1.0#"), dcaArrived);
  EXPECT_EQ(Filter(DBT_DEVICEARRIVAL, 5, "#Tx_v1.0#suffix"), dcaArrived);
  EXPECT_EQ(Filter(DBT_DEVICEREMOVECOMPLETE, 5, "a#b#Tx_v1.0##c"), dcaRemoved);
}

TEST(DeviceFilter, MarkerIsCaseSensitiveAndNeedsBothNumberSigns) {
  for (const char* path : {"#tx_v1.0#", "#TX_V1.0#", "#tX_v1.0#", "#Tx_V1.0#", "Tx_v1.0",
                           "#Tx_v1.0", "Tx_v1.0#", "#Tx_v1.1#", "#Tx v1.0#", ""}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(Filter(DBT_DEVICEARRIVAL, 5, path), dcaIgnore);
    EXPECT_EQ(Filter(DBT_DEVICEREMOVECOMPLETE, 5, path), dcaIgnore);
  }
}

TEST(DeviceFilter, OnlyArrivalAndCompletedRemovalAreHandled) {
  for (uint32_t event : {DBT_DEVICEQUERYREMOVE, DBT_DEVICEQUERYREMOVEFAILED,
                         DBT_DEVICEREMOVEPENDING, 0x0007u, 0x8005u, 0x8006u, 0x0u, 0x18000u}) {
    SCOPED_TRACE(event);
    EXPECT_EQ(Filter(event, DBT_DEVTYP_DEVICEINTERFACE, kBridgePath), dcaIgnore);
  }
}

TEST(DeviceFilter, OtherDeviceTypesAreIgnoredEvenWithTheMarker) {
  for (uint32_t type : {DBT_DEVTYP_OEM, DBT_DEVTYP_VOLUME, DBT_DEVTYP_PORT, 4u, 6u}) {
    SCOPED_TRACE(type);
    EXPECT_EQ(Filter(DBT_DEVICEARRIVAL, type, kBridgePath), dcaIgnore);
    EXPECT_EQ(Filter(DBT_DEVICEREMOVECOMPLETE, type, kBridgePath), dcaIgnore);
  }
}

TEST(DeviceFilter, MissingRecordOrMarkerBehindAZeroByteIsIgnored) {
  EXPECT_EQ(FilterDeviceChange(DBT_DEVICEARRIVAL, nullptr), dcaIgnore);
  EXPECT_EQ(FilterDeviceChange(DBT_DEVICEREMOVECOMPLETE, nullptr), dcaIgnore);
  const std::string hidden = std::string("\\\\?\\USB#X") + '\0' + "#Tx_v1.0#";
  EXPECT_EQ(Filter(DBT_DEVICEARRIVAL, 5, hidden), dcaIgnore);
}

TEST(DevicePath, BridgePathHasIdsInstanceAndInterfaceClass) {
  EXPECT_EQ(MakeDevicePath(0x10C4, 0xEA61, "tx_v1.0"), kBridgePath);
  EXPECT_EQ(MakeDevicePath(0x0a5f, 0x00bc, "tx_v1.0"),
            R"(\\?\USB#VID_0A5F&PID_00BC#Tx_v1.0#{3C5E1462-5695-4E18-876B-F3F3D08AAF18})");
  EXPECT_EQ(MakeDevicePath(1, 2, "abc", "{X}"), R"(\\?\USB#VID_0001&PID_0002#Abc#{X})");
}

TEST(DevicePath, OnlyALowerCaseFirstLetterIsRaised) {
  EXPECT_EQ(DeviceInstanceFromSerial("tx_v1.0"), "Tx_v1.0");
  EXPECT_EQ(DeviceInstanceFromSerial("Tx_v1.0"), "Tx_v1.0");
  EXPECT_EQ(DeviceInstanceFromSerial("TX_V1.0"), "TX_V1.0");
  EXPECT_EQ(DeviceInstanceFromSerial("0abc"), "0abc");
  EXPECT_EQ(DeviceInstanceFromSerial("z"), "Z");
  EXPECT_EQ(DeviceInstanceFromSerial(""), "");
  EXPECT_EQ(DeviceInstanceFromSerial("\xC3\xA9t"), "\xC3\xA9t");
}

}  // namespace

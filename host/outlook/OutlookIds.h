// The interface ids of the mail client's and the office suite's object models
// that the adapters rely on, as their published type libraries give them.
// Faces are asked for by QueryInterface with these ids; events are connected
// through the connection point of the source interface.
#pragma once

#include <guiddef.h>

#include "host/MailHost.h"

namespace skerrow::outlook {

// {00063001-0000-0000-C000-000000000046} _Application
inline constexpr GUID kIidApplication = {
    0x00063001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {00063034-0000-0000-C000-000000000046} _MailItem
inline constexpr GUID kIidMailItem = {
    0x00063034, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {00063035-0000-0000-C000-000000000046} _TaskItem
inline constexpr GUID kIidTaskItem = {
    0x00063035, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {00063006-0000-0000-C000-000000000046} MAPIFolder
inline constexpr GUID kIidFolder = {
    0x00063006, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {00063080-0000-0000-C000-000000000046} PropertyPages
inline constexpr GUID kIidPropertyPages = {
    0x00063080, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {000C030E-0000-0000-C000-000000000046} _CommandBarButton
inline constexpr GUID kIidCommandBarButton = {
    0x000C030E, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {000C030A-0000-0000-C000-000000000046} CommandBarPopup
inline constexpr GUID kIidCommandBarPopup = {
    0x000C030A, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The source interface of an event interface of the routing table.
GUID SourceInterfaceId(EventInterface iface);

}  // namespace skerrow::outlook

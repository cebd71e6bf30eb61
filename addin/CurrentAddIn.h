// The add-in object of the running connection: set when OnConnection begins
// (also if start-up then stops early), cleared when OnDisconnection begins.
// The options page reaches the running add-in through it. One of the two
// process-wide values of the system; only the mail client's thread uses it.
#pragma once

namespace skerrow {

class Skerrow;

Skerrow* CurrentAddIn();
void SetCurrentAddIn(Skerrow* addIn);

}  // namespace skerrow

// Reads arbitrary bytes as a contacts file of the address book.
#include "fuzz/FuzzTarget.h"
#include "host/maildir/VCardReader.h"

SKERROW_FUZZ_TARGET(VCard) {
  const auto entries = skerrow::maildir::VCardReader::Parse(input);
  // Every card takes at least "BEGIN:VCARD" and "END:VCARD".
  skerrow::fuzz::Require(entries.size() <= input.size() / 20 + 1, "no card without its lines");
}

SKERROW_FUZZ_SEEDS(VCard) {
  return {
      "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Maya Ortiz\r\nEMAIL;TYPE=work:maya@northwind.example\r\n"
      "END:VCARD\r\n",
      "BEGIN:VCARD\nVERSION:2.1\nN:Hale;Anna\nFN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:"
      "Ren=E9e =\nHale\nitem1.EMAIL;INTERNET:anna@hale\n .example\nEND:VCARD\n"
      "BEGIN:VCARD\nVERSION:4.0\nFN:Dad\\, the \\nchef\nEMAIL:\"dad\"@hale-family.example;x\n"
      "END:VCARD\n",
  };
}

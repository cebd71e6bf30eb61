// Files built into the command: the sample mail and address book of the demo.
#pragma once

#include <string_view>
#include <vector>

namespace skerrow::cli {

struct EmbeddedFile {
  std::string_view name;
  std::string_view bytes;
};

const std::vector<EmbeddedFile>& SampleMail();      // samples/mail/*.eml
const std::vector<EmbeddedFile>& SampleContacts();  // samples/contacts/*.vcf

}  // namespace skerrow::cli

#include "import/csv/table_name.h"

namespace tarnwick::import {

std::string TableName(const std::string& file_name) {
  return file_name.substr(0, file_name.find('.'));
}

}  // namespace tarnwick::import

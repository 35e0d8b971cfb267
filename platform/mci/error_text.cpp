#include "platform/mci/system.h"

namespace dorrin::mci {

std::string errorText(MCIERROR error) {
  switch (error) {
  case 0:
    return "The command was carried out.";
  case MCIERR_INVALID_DEVICE_ID:
    return "The device id is not that of an open device.";
  case MCIERR_UNRECOGNIZED_KEYWORD:
    return "A word of the command is not known to this device.";
  case MCIERR_UNRECOGNIZED_COMMAND:
    return "The command is not known.";
  case MCIERR_HARDWARE:
    return "The device stopped working; check the sound output.";
  case MCIERR_INVALID_DEVICE_NAME:
    return "No device is open under this name, and no device has it.";
  case MCIERR_OUT_OF_MEMORY:
    return "There is not enough memory for this command.";
  case MCIERR_DEVICE_OPEN:
    return "This name is already used by an open device; give an alias.";
  case MCIERR_CANNOT_LOAD_DRIVER:
    return "There is no driver for this device type on this system.";
  case MCIERR_MISSING_COMMAND_STRING:
    return "The command is empty.";
  case MCIERR_PARAM_OVERFLOW:
    return "The reply does not fit into the buffer given for it.";
  case MCIERR_MISSING_STRING_ARGUMENT:
    return "A keyword of the command needs a text after it.";
  case MCIERR_BAD_INTEGER:
    return "A number of the command is not a valid whole number.";
  case MCIERR_PARSER_INTERNAL:
    return "The command could not be read (internal error).";
  case MCIERR_DRIVER_INTERNAL:
    return "The device failed (internal error).";
  case MCIERR_MISSING_PARAMETER:
    return "The command lacks a value it needs.";
  case MCIERR_UNSUPPORTED_FUNCTION:
    return "This device cannot do what the command asks.";
  case MCIERR_FILE_NOT_FOUND:
    return "The file cannot be found.";
  case MCIERR_DEVICE_NOT_READY:
    return "The device is not ready.";
  case MCIERR_INTERNAL:
    return "The command failed (internal error).";
  case MCIERR_DRIVER:
    return "The device driver reported an error.";
  case MCIERR_CANNOT_USE_ALL:
    return "This command cannot be sent to all devices at once.";
  case MCIERR_MULTIPLE:
    return "The command failed on some of the devices.";
  case MCIERR_EXTENSION_NOT_FOUND:
    return "No device type goes with this file name extension.";
  case MCIERR_OUTOFRANGE:
    return "A position or range lies outside the media.";
  case MCIERR_FLAGS_NOT_COMPATIBLE:
    return "Keywords of the command cannot be used together.";
  case MCIERR_FILE_NOT_SAVED:
    return "The file could not be saved.";
  case MCIERR_DEVICE_TYPE_REQUIRED:
    return "The device type must be given.";
  case MCIERR_DEVICE_LOCKED:
    return "The device is busy; try again later.";
  case MCIERR_DUPLICATE_ALIAS:
    return "This alias is already in use.";
  case MCIERR_BAD_CONSTANT:
    return "A value of the command is not one the keyword accepts.";
  case MCIERR_MUST_USE_SHAREABLE:
    return "The device is in use; open it as shareable.";
  case MCIERR_MISSING_DEVICE_NAME:
    return "The command names no device.";
  case MCIERR_BAD_TIME_FORMAT:
    return "This device does not support that time format.";
  case MCIERR_NO_CLOSING_QUOTE:
    return "A quoted name of the command has no closing quote.";
  case MCIERR_DUPLICATE_FLAGS:
    return "A keyword is given twice.";
  case MCIERR_INVALID_FILE:
    return "The file is no sound file this device can play, or it is damaged.";
  case MCIERR_NULL_PARAMETER_BLOCK:
    return "The command has no parameters where it needs some.";
  case MCIERR_UNNAMED_RESOURCE:
    return "A file must be named to save it.";
  case MCIERR_NEW_REQUIRES_ALIAS:
    return "Opening a new file needs an alias.";
  case MCIERR_NOTIFY_ON_AUTO_OPEN:
    return "Notify cannot be used with a device opened on the fly.";
  case MCIERR_NO_ELEMENT_ALLOWED:
    return "This device does not take a file name.";
  case MCIERR_NONAPPLICABLE_FUNCTION:
    return "The commands were given in an order the device cannot follow.";
  case MCIERR_ILLEGAL_FOR_AUTO_OPEN:
    return "This command needs a device opened with open.";
  case MCIERR_FILENAME_REQUIRED:
    return "This command needs a file; open the device with one.";
  case MCIERR_EXTRA_CHARACTERS:
    return "The command has extra text after a quoted name.";
  case MCIERR_DEVICE_NOT_INSTALLED:
    return "The device is not installed.";
  case MCIERR_NO_INTEGER:
    return "The value must be a whole number.";
  case MCIERR_WAVE_OUTPUTSINUSE:
    return "Every sound output is in use; try again later.";
  case MCIERR_WAVE_INPUTSINUSE:
    return "Every sound input is in use; try again later.";
  case MCIERR_WAVE_OUTPUTUNSPECIFIED:
    return "No sound output is chosen.";
  case MCIERR_WAVE_OUTPUTSUNSUITABLE:
    return "No sound output can play this file; check the sound system.";
  case MCIERR_WAVE_INPUTSUNSUITABLE:
    return "No sound input can record in this format.";
  case MCIERR_SEQ_NOMIDIPRESENT:
    return "No MIDI device is installed.";
  case MCIERR_NO_WINDOW:
    return "The device has no window to show.";
  case MCIERR_FILE_READ:
    return "The file cannot be read.";
  case MCIERR_FILE_WRITE:
    return "The file cannot be written.";
  default:
    return {};
  }
}

} // namespace dorrin::mci

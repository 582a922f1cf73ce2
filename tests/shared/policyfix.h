// JAVA.POLICY texts shared by the native grant tests and the Kelmin tests
// under Wine.
#pragma once

#include <string>

namespace policyfix {

// The beginning of the policy file that a Java runtime ships, CR LF lines.
inline const char STOCK_POLICY[] =
    "\r\n"
    "// Standard extensions get all permissions by default\r\n"
    "\r\n"
    "grant codeBase \"file:${{java.ext.dirs}}/*\" {\r\n"
    "\tpermission java.security.AllPermission;\r\n"
    "};\r\n"
    "\r\n"
    "// default permissions granted to all domains\r\n"
    "\r\n"
    "grant { \r\n"
    "\t// Allows any thread to stop itself using the java.lang.Thread.stop()\r\n"
    "\t// method that takes no argument.\r\n"
    "\tpermission java.lang.RuntimePermission \"stopThread\";\r\n"
    "\r\n"
    "\t// allows anyone to listen on un-privileged ports\r\n"
    "\tpermission java.net.SocketPermission \"localhost:1024-\", \"listen\";\r\n"
    "\r\n"
    "\tpermission java.util.PropertyPermission \"java.version\", \"read\";\r\n"
    "\tpermission java.util.PropertyPermission \"java.vendor\", \"read\";\r\n"
    "\tpermission java.util.PropertyPermission \"os.name\", \"read\";\r\n"
    "\tpermission java.util.PropertyPermission \"line.separator\", \"read\";\r\n"
    "};\r\n"
    "\r\n";

// The block that grants Pluvik.DLL to code from address (any code when
// empty), with its empty lines, as Kelmin writes it.
inline std::string Block(const std::string& address)
{
    std::string grant = address.empty() ? "grant  {" : "grant codeBase \"" + address + "\" {";
    return "\r\n"
           "// Permitir cargar Pluvik.DLL de OSTREL - NO EDITAR -\r\n" +
           grant +
           "\r\n"
           "   permission java.lang.RuntimePermission \"loadLibrary.Pluvik\";\r\n"
           "   permission java.awt.AWTPermission \"accessClipboard\";\r\n"
           "   permission java.io.FilePermission \"<<ALL FILES>>\", \"read, write, delete\";\r\n"
           "   permission java.util.PropertyPermission \"user.*\",\"read\";\r\n"
           "   permission java.security.SecurityPermission \"Security.createAccessControlContext\";\r\n"
           "   permission java.lang.RuntimePermission \"modifyThread\";\r\n"
           "   permission java.lang.RuntimePermission \"modifyThreadGroup\";\r\n"
           "};\r\n"
           "\r\n";
}

// The text with LF line ends, as an editor may leave it.
inline std::string LfOnly(std::string text)
{
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

}  // namespace policyfix

#pragma once
// Virtual serial ports: pseudo-terminals that a program (the receiver simulator) offers as
// serial ports. Each is one small text file in the virtual ports folder, named after its
// COM name ("COM193"), holding the device path, the description and the location text, one
// a line, and then the number of the registering process. The port listing includes them and the hotplug watcher sees them come and go.

#include <optional>
#include <string>
#include <vector>

struct SVirtualPort
{
    int m_nPort = 0;
    std::string m_strDevicePath;
    std::string m_strDescription;
    std::string m_strLocation;
    int m_nOwner = 0;  // the registering process; 0 when the registration does not say
};

// $XDG_RUNTIME_DIR/zephyrane/ports/, or /tmp/zephyrane-<uid>/ports/ without that variable.
std::string VirtualPortsFolder();

// Creates the folder (and its parents) when it is missing.
void CreateVirtualPortsFolder();

// Whether the folder and the program's folder that holds it are the user's own, not links,
// and writable by nobody else; registrations in any other folder are ignored.
bool VirtualPortsFolderIsTrusted();

// The COM number a file of the folder stands for ("COM193" gives 193); 0 for other names.
int VirtualPortOfFileName(const std::string& strFileName);

// The registered ports whose device and registering process still exist, by COM number.
std::vector<SVirtualPort> ListVirtualPorts();
std::optional<SVirtualPort> FindVirtualPort(int nPort);

// Registers a device as a virtual port for the lifetime of the object, in the lowest free
// slot (a slot whose device or process has gone counts as free). The registration file appears
// complete at once, so a watcher never reads half of it.
class CVirtualPortRegistration
{
public:
    CVirtualPortRegistration(const std::string& strDevicePath, const std::string& strDescription,
                             const std::string& strLocation);
    ~CVirtualPortRegistration();
    CVirtualPortRegistration(const CVirtualPortRegistration&) = delete;
    CVirtualPortRegistration& operator=(const CVirtualPortRegistration&) = delete;

    // The COM number taken, or 0 when every slot is in use or the folder is not writable.
    int Port() const { return m_nPort; }
    // Removes the registration (also done by the destructor).
    void Remove();

private:
    int m_nPort = 0;
    std::string m_strFile;
};

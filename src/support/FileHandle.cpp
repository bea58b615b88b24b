#include "support/FileHandle.h"

namespace quenloft {

FileHandle::~FileHandle()
{
    closeCurrent();
}

void FileHandle::setHandle(qint32 lngNewFileHandle)
{
    closeCurrent();
    m_handle = lngNewFileHandle;
}

void FileHandle::closeCurrent()
{
    // 0 and negative values (the system's invalid handle is -1) are no open search.
    if (m_closer && m_handle >= 1)
        m_closer(m_handle);
}

} // namespace quenloft

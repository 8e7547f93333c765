// The trace's records as lines a person reads: what started, what was
// shown, how the run ended. Window moves and paints are left out.

function quoted(text) {
  return `“${text}”`;
}

export function readableLine(record) {
  const at = `${record.t} ms`;
  switch (record.event) {
  case 'start':
    return `${at}  ${record.program} starts${record.cmdline ? ` with ${quoted(record.cmdline)}` : ''}`;
  case 'shell':
    return `${at}  starts ${record.file}${record.params ? ` ${record.params}` : ''}`;
  case 'msgbox':
    return `${at}  box ${quoted(record.caption)}: ${record.text}${record.file ? ` (${record.file}:${record.line})` : ''}`;
  case 'window':
    if (record.action === 'create') return `${at}  window ${record.id} opens (${record.class})`;
    if (record.action === 'destroy') return `${at}  window ${record.id} closes`;
    return null;
  case 'keybd':
    return `${at}  key ${record.vk} sent (flags ${record.flags})`;
  case 'exit':
    return `${at}  exits with code ${record.code}`;
  case 'end':
    return `${at}  the run ends`;
  default:
    return null;
  }
}

export function readableTrace(records) {
  return records.map(readableLine).filter((line) => line !== null);
}

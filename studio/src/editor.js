// The editor: CodeMirror with line numbers, the device files' sections, keys
// and values coloured, completion of section keywords and of the keys of the
// section the cursor is in, and the check's findings in the gutter at their lines.
import { EditorState } from '@codemirror/state';
import { EditorView, keymap, lineNumbers, highlightActiveLine, drawSelection } from '@codemirror/view';
import { defaultKeymap, history, historyKeymap } from '@codemirror/commands';
import { StreamLanguage, syntaxHighlighting, defaultHighlightStyle } from '@codemirror/language';
import { autocompletion } from '@codemirror/autocomplete';
import { lintGutter, setDiagnostics } from '@codemirror/lint';

// A layout or settings file: a line of capitals alone starts a section,
// KEY=VALUE lines follow, a line starting with ';' is a comment.
const deviceFile = StreamLanguage.define({
  name: 'device-file',
  startState: () => ({ afterKey: false }),
  token(stream, state) {
    if (stream.sol()) {
      state.afterKey = false;
      if (stream.match(/^\s*;.*/)) return 'comment';
      if (stream.match(/^\s*[A-Z][A-Z0-9_]*\s*$/)) return 'heading';
      if (stream.match(/^[^=]+(?==)/)) {
        state.afterKey = true;
        return 'propertyName';
      }
    }
    if (state.afterKey && stream.eat('=')) return 'operator';
    if (state.afterKey) {
      if (stream.match(/^-?\d+$/)) return 'number';
      stream.skipToEnd();
      return 'string';
    }
    stream.skipToEnd();
    return null;
  },
});

// The section a line belongs to: the nearest line above it that starts with
// a section keyword, as the programs read a header.
function sectionAt(doc, lineNumber, keywords) {
  for (let number = lineNumber - 1; number >= 1; --number) {
    const text = doc.line(number).text;
    const keyword = keywords.find((name) => text.startsWith(name));
    if (keyword) return keyword;
  }
  return null;
}

// `sectionKeys`: { KEYWORD: [keys...] } from the programs' own tables.
function completer(sectionKeys) {
  const keywords = Object.keys(sectionKeys).sort((a, b) => b.length - a.length);
  return (context) => {
    const line = context.state.doc.lineAt(context.pos);
    const before = line.text.slice(0, context.pos - line.from);
    if (before.includes('=')) return null;
    const word = context.matchBefore(/[A-Za-z0-9_]*/);
    if (!word || word.from !== line.from || (word.from === word.to && !context.explicit)) return null;
    const section = sectionAt(context.state.doc, line.number, keywords);
    const options = [
      ...(section ? sectionKeys[section].map((label) => ({ label, type: 'property', apply: `${label}=`, detail: section })) : []),
      ...Object.keys(sectionKeys).map((label) => ({ label, type: 'keyword' })),
    ];
    return { from: word.from, options, validFor: /^[A-Za-z0-9_]*$/ };
  };
}

export function createEditor(parent, { onChange, sectionKeys }) {
  const view = new EditorView({ parent });
  const extensions = [
    lineNumbers(),
    lintGutter(),
    history(),
    drawSelection(),
    highlightActiveLine(),
    EditorView.lineWrapping,
    deviceFile,
    syntaxHighlighting(defaultHighlightStyle),
    autocompletion({ override: [completer(sectionKeys)] }),
    keymap.of([...defaultKeymap, ...historyKeymap]),
    EditorView.updateListener.of((update) => {
      if (update.docChanged) onChange(update.state.doc.toString());
    }),
  ];
  return {
    view,
    open(text) {
      view.setState(EditorState.create({ doc: text, extensions }));
    },
    text: () => view.state.doc.toString(),
    // `findings`: [{ line, severity, message }] for this file.
    showFindings(findings) {
      const doc = view.state.doc;
      const diagnostics = findings
        .filter((finding) => finding.line >= 1 && finding.line <= doc.lines)
        .map((finding) => {
          const line = doc.line(finding.line);
          return { from: line.from, to: line.to, severity: finding.severity, message: finding.message };
        });
      view.dispatch(setDiagnostics(view.state, diagnostics));
    },
    goToLine(number) {
      const line = view.state.doc.line(Math.min(Math.max(number, 1), view.state.doc.lines));
      view.dispatch({ selection: { anchor: line.from }, scrollIntoView: true });
      view.focus();
    },
  };
}

// The one description of the windows (ui/windows.json), which the desktop
// reads as a generated header: esbuild puts it into the page's script file.
import windows from '../../ui/windows.json';

export { windows };
